<SCRIPT LANGUAGE=VBScript RUNAT=Server>

sub SetDataFormat()
	Application("g_LCID") = 2057
	Application("g_strDecimalSymbol") = "."
	Application("g_strDecimalGroupingSymbol") = ","
	Application("g_strMonetaryDecimalSymbol") = "."
	Application("g_strMonetaryDecimalGroupingSymbol") = ","

end sub

</Script>
