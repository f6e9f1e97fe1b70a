<%
l_strWelcome = "Willkommen ""hier"""
%>
