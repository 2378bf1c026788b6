' Runs at the end of the installation of Quarvel Hello. The setup puts four
' constants before this code: qvProgDir, qvSetupDir, qvStartMenuDir and qvGUID.
' They are written to script-constants.txt in the install folder, one per line.
Dim fso, out
Set fso = CreateObject("Scripting.FileSystemObject")
Set out = fso.CreateTextFile(qvProgDir & "script-constants.txt", True)
out.WriteLine "qvProgDir=" & qvProgDir
out.WriteLine "qvSetupDir=" & qvSetupDir
out.WriteLine "qvStartMenuDir=" & qvStartMenuDir
out.WriteLine "qvGUID=" & qvGUID
out.Close
