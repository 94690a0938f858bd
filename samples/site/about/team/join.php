<!DOCTYPE html>
<html>
<head>
<meta charset="utf-8">
<title>Join us</title>
</head>
<body>
<h1>Join us</h1>
</body>
</html>
