<SCRIPT LANGUAGE=VBScript RUNAT=Server>

sub SetLayoutSettings()
	Application("g_bShowInfoFav") = true
	Application("g_bShowSecondLevelFav") = true
end sub

</SCRIPT>
