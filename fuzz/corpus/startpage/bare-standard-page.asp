<%
l_strAnoTarget = "KwPortlets.asp"
ls/KwArea/KwCust.asp"
%>
