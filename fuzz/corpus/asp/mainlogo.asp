<%
strCompanyLogo = "logo.png"
%>
