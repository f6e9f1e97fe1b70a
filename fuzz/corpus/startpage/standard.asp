<%
l_strAnoTarget = "KwApplications/KwArea/KwPortlets.asp"
l_strMainTarget = "KwApplications/KwArea/KwCustomMenu.asp"
%>
