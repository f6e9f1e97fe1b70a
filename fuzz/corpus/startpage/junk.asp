x l_strMainTarget junk = junk "KwApplications/KwArea/KwCustomMenu.asp" "y"
l_strAnoTarget=="a.asp"