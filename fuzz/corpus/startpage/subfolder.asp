<%
l_strAnoTarget = "KwApplications/KwArea/sub/x.asp"
l_strMainTarget = "Home.asp"
%>
