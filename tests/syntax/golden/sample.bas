' sample.bas: Basic comments, keywords in any case, numbers and strings
Option Explicit
dim counter as Integer
Dim message As String

Public Sub Main()
    counter = 10 ' ten
    message = "it's done" & Chr(13)
    If counter > 5 then
        MsgBox message
    end if
    Rem a comment by keyword
    x = 3.5: Remark here
    REMOVE = 1 ' only Rem in exactly this case starts a comment
    For i = 1 To 0x10 Step 2: Next i
    #If DEBUG Then
End Sub
