<SCRIPT LANGUAGE=VBScript RUNAT=Server>

sub SetMouseOverValues()
Application("Top_MouseIn") = "#CCCCFF"
Application("Top_MouseOut") = "#000000"
Application("Top_Clicked") = "#FFFF00"

Application("Second_MouseIn") = "#FFFF00"
Application("Second_MouseOut") = "#000000"
Application("Second_Clicked") = "#CCCCFF"

Application("Second_Sub_MouseIn") = "#000000"
Application("Second_Sub_MouseOut") = "#000000"
Application("Second_Sub_Clicked") = "#000000"

Application("Nav_MouseIn") = "#CCCCFF"
Application("Nav_MouseOut") = "#FFFFFF"
Application("Nav_Clicked") = "#FFFF00"

Application("App_MouseIn") = "#000066"
Application("App_MouseOut") = "#489088"
Application("App_Clicked") = "#489088"

Application("TH_MouseIn") = "#88C0B8"
Application("TH_MouseOut") = "#489088"
Application("TH_Clicked") = "#FF9900"

Application("Portlet_TH_MouseIn") = "#88C0B8"
Application("Portlet_TH_MouseOut") = "#489088"
Application("Portlet_TH_Clicked") = "#FF9900"

end sub

</SCRIPT>
