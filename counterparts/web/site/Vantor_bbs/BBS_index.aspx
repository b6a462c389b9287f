<html>
<head>
<meta http-equiv="Content-Type" content="text/html; charset=gb2312">
<title>岚境·Vantor Online 游戏论坛</title>
<style>
body { margin: 0; background: #eef1f6; color: #222; font: 12px "宋体", SimSun, sans-serif; }
#top { padding: 12px 30px; background: #2c3d5e; color: #ffd36a; font-size: 20px; }
#top a { float: right; margin-top: 4px; font-size: 12px; color: #ffffff; }
table { width: 92%; margin: 16px auto; border-collapse: collapse; background: #ffffff; }
th { padding: 6px; background: #d5ddea; text-align: left; }
td { padding: 8px 6px; border-top: 1px solid #d5ddea; }
td.n { width: 80px; text-align: center; color: #666; }
.f { font-weight: bold; color: #1c3f7a; }
.d { color: #666; }
</style>
</head>
<body>
<div id="top">岚境·Vantor Online 游戏论坛 <a href="/">返回官网</a></div>
<table>
<tr><th>版块</th><th>主题</th><th>帖子</th><th>最后发表</th></tr>
<tr><td><div class="f">官方公告</div><div class="d">维护、更新与活动的官方消息</div></td>
<td class="n">312</td><td class="n">9,846</td><td>新春贺岁活动细则 —— 岚境运营组</td></tr>
<tr><td><div class="f">新手指引</div><div class="d">初入岚境？这里有前辈们的经验</div></td>
<td class="n">1,204</td><td class="n">25,331</td><td>三十级前的最佳练级路线</td></tr>
<tr><td><div class="f">职业讨论</div><div class="d">剑侍、灵巫、游弓、玄甲四大职业</div></td>
<td class="n">4,518</td><td class="n">87,402</td><td>灵巫加点思路（附配装）</td></tr>
<tr><td><div class="f">服务器专区</div><div class="d">各服务器的门派、招募与交流</div></td>
<td class="n">2,977</td><td class="n">61,090</td><td>云岚服“听雨阁”招收新人</td></tr>
<tr><td><div class="f">客服与建议</div><div class="d">问题反馈、账号安全与游戏建议</div></td>
<td class="n">866</td><td class="n">7,215</td><td>登录器提示“获取升级信息失败”怎么办</td></tr>
</table>
</body>
</html>
