<SCRIPT LANGUAGE=VBScript RUNAT=Server>

sub SetMouseOverValues()
Application("Top_MouseIn") = "#0203A0"
Application("Top_MouseOut") = "#0202A0"
Application("Top_Clicked") = "#0204A0"

Application("Second_MouseIn") = "#0503A0"
Application("Second_MouseOut") = "#0502A0"
Application("Second_Clicked") = "#0504A0"

Application("Second_Sub_MouseIn") = "#0506A0"
Application("Second_Sub_MouseOut") = "#0505A0"
Application("Second_Sub_Clicked") = "#0507A0"

Application("Nav_MouseIn") = "#0703A0"
Application("Nav_MouseOut") = "#0702A0"
Application("Nav_Clicked") = "#0704A0"

Application("App_MouseIn") = "#B004B0"
Application("App_MouseOut") = "#B003B0"
Application("App_Clicked") = "#B003B0"

Application("TH_MouseIn") = "#B009B0"
Application("TH_MouseOut") = "#B008B0"
Application("TH_Clicked") = "#B00AB0"

Application("Portlet_TH_MouseIn") = "#B015B0"
Application("Portlet_TH_MouseOut") = "#B013B0"
Application("Portlet_TH_Clicked") = "#B014B0"

end sub

</SCRIPT>
