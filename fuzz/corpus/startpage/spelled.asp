<%
l_strAnoTarget = "Sag ""Hallo"" %" & ">.asp"
l_strMainTarget = "a" & vbCrLf & "b" & Chr(9)
%>
