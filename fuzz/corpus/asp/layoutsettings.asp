sub SetLayoutSettings()
	Application("g_bShowInfoFav") = true
	Application("g_bShowSecondLevelFav") = false
end sub
