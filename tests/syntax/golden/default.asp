<%@ Language="VBScript" %>
<html>
<body>
<%
  dim name ' who is greeted
  name = Request.QueryString("name")
  if name = "" then name = "world"
  Response.Write "Hello " & name
  x = a'not a comment
  /* a block comment
  in script */ end if
%>
<p>Welcome, <%= name %>!</p>
<input type="text" value="<%= name %>">
</body>
</html>
