<SCRIPT LANGUAGE=VBScript RUNAT=Server>

sub SetLayoutSettings()
	Application("g_bShowInfoFav") = false
	Application("g_bShowSecondLevelFav") = false
end sub

</SCRIPT>
