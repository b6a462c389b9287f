# Local development deployment: every operator host is a loopback address of
# its own, served by counterparts/ (so a test can take one host down).
set(VANTOR_LOGIN_HOST_1     "127.10.0.1")
set(VANTOR_LOGIN_HOST_2     "127.10.0.2")
set(VANTOR_LOGIN_HOST_3     "127.10.0.3")
set(VANTOR_UPDATE_HOST_A    "127.10.1.1")
set(VANTOR_UPDATE_HOST_B    "127.10.1.2")
set(VANTOR_STAT_HOST_A      "127.10.2.1")
set(VANTOR_STAT_HOST_B      "127.10.2.2")
set(VANTOR_GAME_SITE        "127.10.3.1")
set(VANTOR_SERVICE_PORTAL   "127.10.3.2")
set(VANTOR_DOWNLOAD_HOST    "127.10.4.1")
