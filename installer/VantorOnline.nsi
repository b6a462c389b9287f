; The player installer of Vantor Online. Built by installer/CMakeLists.txt:
;   makensis -INPUTCHARSET UTF8 -DVERSION=1.0.0.1 -DIMAGE=<image folder> -DOUTFILE=<exe>
;            -DTARGET=x86-unicode|amd64-unicode -DSIGN=<command that signs the file "%1">
;            [-DDEVELOPMENT] VantorOnline.nsi
; DEVELOPMENT also installs the outside components' working versions (the
; password-protection component, the browser plug-in, the game client, the zip
; component); a production image gets the operator's own.
; Silent: "VantorOnlineSetup.exe /S [/D=folder]", "uninstall.exe /S".

Unicode true
Target ${TARGET}
SetCompressor /SOLID lzma
RequestExecutionLevel admin   ; Program Files, HKLM and the shortcuts of all users

!define PRODUCT "Vantor Online"
!define COMPANY "Playmoor"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\VantorOnline"
!define LAUNCHER "VantorLogin.exe"
!define LAUNCHER_TITLE "岚境·Vantor Online"   ; the launcher's window title
!define UPDATER_TITLE "Vantor登陆客户端智能升级" ; the updater's window title

; Both the installer and the uninstaller it writes carry the signature.
!finalize '${SIGN}'
!uninstfinalize '${SIGN}'

Name "${PRODUCT}"
Caption "${PRODUCT} ${VERSION} 安装"
OutFile "${OUTFILE}"
!if ${TARGET} == "amd64-unicode"
  InstallDir "$PROGRAMFILES64\${PRODUCT}"
!else
  InstallDir "$PROGRAMFILES\${PRODUCT}"
!endif
ShowInstDetails show

VIProductVersion "${VERSION}"
VIAddVersionKey /LANG=2052 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=2052 "CompanyName" "${COMPANY}"
VIAddVersionKey /LANG=2052 "FileDescription" "${PRODUCT} 安装程序"
VIAddVersionKey /LANG=2052 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=2052 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=2052 "LegalCopyright" "© ${COMPANY}"

!include "MUI2.nsh"
!include "LogicLib.nsh"
!include "x64.nsh"

!define MUI_ABORTWARNING
!define MUI_FINISHPAGE_RUN "$INSTDIR\${LAUNCHER}"
!define MUI_FINISHPAGE_RUN_TEXT "启动 ${PRODUCT} 登录器"
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "SimpChinese"

; Files of the installation image; the uninstaller removes exactly these.
!macro ImageFiles Do
  !insertmacro ${Do} "" "${LAUNCHER}"
  !insertmacro ${Do} "" "VantorUpdate.exe"
  !insertmacro ${Do} "" "Parcelkit.dll"
  !insertmacro ${Do} "certs" "Trustfit.exe"
  !insertmacro ${Do} "certs" "certs.p7b"
  !ifdef DEVELOPMENT
    !insertmacro ${Do} "" "PlaymoorEncrypt.dll"
    !insertmacro ${Do} "" "PlaymoorPlugin.dll"
    !insertmacro ${Do} "" "v_zipfile.dll"
    !insertmacro ${Do} "" "Vantor.exe"
  !endif
!macroend

!macro InstallFile Sub Name
  SetOutPath "$INSTDIR\${Sub}"
  File "${IMAGE}\${Sub}\${Name}"
!macroend

!macro RemoveFile Sub Name
  Delete "$INSTDIR\${Sub}\${Name}"
!macroend

Function .onInit
  SetShellVarContext all
  !if ${TARGET} == "amd64-unicode"
    SetRegView 64
  !endif
FunctionEnd

; A running launcher or updater would hold its files: ask each to close and
; give it a moment, so that no program of the installation is left running.
!macro CloseRunningPrograms Un
Function ${Un}CloseRunningPrograms
  ${ForEach} $0 1 20 + 1
    FindWindow $1 "" "${LAUNCHER_TITLE}"
    FindWindow $2 "" "${UPDATER_TITLE}"
    ${If} $1 == 0
    ${AndIf} $2 == 0
      Return
    ${EndIf}
    ${If} $1 != 0
      SendMessage $1 ${WM_CLOSE} 0 0 /TIMEOUT=2000
    ${EndIf}
    ${If} $2 != 0
      SendMessage $2 ${WM_CLOSE} 0 0 /TIMEOUT=2000
    ${EndIf}
    Sleep 250
  ${Next}
FunctionEnd
!macroend
!insertmacro CloseRunningPrograms ""
!insertmacro CloseRunningPrograms "un."

Section "${PRODUCT}" SecMain
  SectionIn RO
  Call CloseRunningPrograms
  !insertmacro ImageFiles InstallFile
  SetOutPath "$INSTDIR"

  CreateDirectory "$SMPROGRAMS\${PRODUCT}"
  CreateShortCut "$SMPROGRAMS\${PRODUCT}\${PRODUCT}.lnk" "$INSTDIR\${LAUNCHER}"
  CreateShortCut "$SMPROGRAMS\${PRODUCT}\卸载 ${PRODUCT}.lnk" "$INSTDIR\uninstall.exe"
  CreateShortCut "$DESKTOP\${PRODUCT}.lnk" "$INSTDIR\${LAUNCHER}"

  WriteUninstaller "$INSTDIR\uninstall.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${COMPANY}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\${LAUNCHER},0"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Function un.onInit
  SetShellVarContext all
  !if ${TARGET} == "amd64-unicode"
    SetRegView 64
  !endif
FunctionEnd

Section "Uninstall"
  Call un.CloseRunningPrograms
  !ifdef DEVELOPMENT
    ; The launcher registers the two components on every start.
    ExecWait '"$SYSDIR\regsvr32.exe" /u /s "$INSTDIR\PlaymoorEncrypt.dll"'
    ExecWait '"$SYSDIR\regsvr32.exe" /u /s "$INSTDIR\PlaymoorPlugin.dll"'
  !endif
  !insertmacro ImageFiles RemoveFile
  ; ClientInfo.ini records the version of the files being removed: kept, it
  ; would tell a later installation of older files that they are up to date,
  ; and no update would ever be offered. Update\ holds only downloaded
  ; packages, which the next update downloads anew.
  Delete "$INSTDIR\ClientInfo.ini"
  RMDir /r "$INSTDIR\Update"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR\certs"
  ; Not /r: files that updates brought, or the player put there, stay.
  RMDir "$INSTDIR"

  Delete "$DESKTOP\${PRODUCT}.lnk"
  Delete "$SMPROGRAMS\${PRODUCT}\${PRODUCT}.lnk"
  Delete "$SMPROGRAMS\${PRODUCT}\卸载 ${PRODUCT}.lnk"
  RMDir "$SMPROGRAMS\${PRODUCT}"

  DeleteRegKey HKLM "${UNINSTALL_KEY}"
  ; The launcher's record of its folder, which the updater reads to start it.
  DeleteRegKey HKLM "Software\Playmoor\VantorOnline"
  DeleteRegKey /ifempty HKLM "Software\Playmoor"
SectionEnd
