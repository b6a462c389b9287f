<html>
<head>
<meta http-equiv="Content-Type" content="text/html; charset=gb2312">
<title>Playmoor 用户注册</title>
<style>
body { margin: 0; background: #f3f4f7; color: #222; font: 12px "宋体", SimSun, sans-serif; }
#top { padding: 12px 30px; background: #1c3f7a; color: #ffffff; font-size: 18px; }
form { width: 420px; margin: 24px auto; padding: 16px 24px; background: #ffffff; border: 1px solid #c9d0dd; }
h1 { margin: 0 0 12px; font-size: 14px; }
label { display: block; margin: 10px 0 3px; }
input.t { width: 240px; }
p.tip { margin: 2px 0 0; color: #888; }
button { margin-top: 16px; padding: 3px 24px; }
</style>
</head>
<body>
<div id="top">Playmoor 服务中心</div>
<form method="post" action="/userreg.aspx">
<h1>注册岚境·Vantor Online 通行证</h1>
<label for="user">用户名</label><input class="t" id="user" name="txtUserName" maxlength="12">
<p class="tip">4至12位字母、数字或下划线</p>
<label for="pass">密码</label><input class="t" id="pass" name="txtPassword" type="password" maxlength="20">
<label for="pass2">确认密码</label><input class="t" id="pass2" name="txtPassword2" type="password" maxlength="20">
<label for="mail">电子邮箱</label><input class="t" id="mail" name="txtEmail">
<label><input type="checkbox" name="agree" value="1"> 我已阅读并同意《用户服务协议》</label>
<button type="submit">立即注册</button>
</form>
</body>
</html>
