<%
l_strWelcome = "Sag ""Hallo"" %" & ">" & vbCrLf & "zweite Zeile" & Chr(9)
%>
