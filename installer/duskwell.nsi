; The Duskwell installer. Built by scripts/release (and the install test):
;   makensis -DARCH=x86|x64 -DEXE=<dwl.exe> -DCHM=<dwl.chm> -DOUTFILE=<setup.exe> installer/duskwell.nsi
; Installs dwl.exe and its help into Program Files\Duskwell, tells the program
; where it lives (its startup entry copies that), adds Start-menu shortcuts and
; an uninstaller. Settings and the scenario file are the user's: an upgrade
; keeps them, and the uninstaller removes them only when asked.
Unicode true
!ifndef ARCH
  !define ARCH x86
!endif
!ifndef VERSION
  !define VERSION "2.5"
!endif
!if "${ARCH}" == "x64"
  Target amd64-unicode
!else
  Target x86-unicode
!endif

!include "MUI2.nsh"
!include "LogicLib.nsh"
!include "x64.nsh"
!include "FileFunc.nsh"
!include "WinMessages.nsh"

!define PRODUCT "Duskwell"
!define PUBLISHER "The Duskwell developers"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Duskwell"
!define SETTINGS_KEY "SOFTWARE\Orbelle\DWL"
!define RUN_KEY "SOFTWARE\Microsoft\Windows\CurrentVersion\Run"

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
RequestExecutionLevel admin
SetCompressor /SOLID lzma
!if "${ARCH}" == "x64"
  InstallDir "$PROGRAMFILES64\${PRODUCT}"
!else
  InstallDir "$PROGRAMFILES\${PRODUCT}"
!endif
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"

!define MUI_ICON "../res/dwl.ico"
!define MUI_UNICON "../res/dwl.ico"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

VIProductVersion "${VERSION}.0.0"
VIAddVersionKey "ProductName" "${PRODUCT}"
VIAddVersionKey "CompanyName" "${PUBLISHER}"
VIAddVersionKey "FileDescription" "${PRODUCT} ${VERSION} setup"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "LegalCopyright" "Copyright (C) 2026 ${PUBLISHER}"

; Ends a running Duskwell the orderly way: a close message to its window, on
; which it saves its scenarios and exits. Waits up to ten seconds.
!macro EndRunningDuskwell
  StrCpy $1 0
  ${Do}
    FindWindow $0 "DuskwellOptions" ""
    ${If} $0 = 0
    ${OrIf} $1 >= 50
      ${Break}
    ${EndIf}
    SendMessage $0 ${WM_CLOSE} 0 0 /TIMEOUT=5000
    Sleep 200
    IntOp $1 $1 + 1
  ${Loop}
!macroend

!macro UseRegistryView
  !if "${ARCH}" == "x64"
    ${IfNot} ${RunningX64}
      MessageBox MB_OK|MB_ICONSTOP "This is the 64-bit ${PRODUCT}; please use the 32-bit setup on this Windows." /SD IDOK
      Quit
    ${EndIf}
    SetRegView 64
  !endif
!macroend

Function .onInit
  !insertmacro UseRegistryView
FunctionEnd

Function un.onInit
  !insertmacro UseRegistryView
FunctionEnd

Section "Install"
  !insertmacro EndRunningDuskwell
  SetOutPath "$INSTDIR"
  File "/oname=dwl.exe" "${EXE}"
  File "/oname=dwl.chm" "${CHM}"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  ; The program's startup entry copies this command.
  WriteRegStr HKLM "${SETTINGS_KEY}\Run" "Path" '"$INSTDIR\dwl.exe"'

  SetShellVarContext all
  CreateDirectory "$SMPROGRAMS\${PRODUCT}"
  CreateShortcut "$SMPROGRAMS\${PRODUCT}\${PRODUCT}.lnk" "$INSTDIR\dwl.exe"
  CreateShortcut "$SMPROGRAMS\${PRODUCT}\${PRODUCT} Help.lnk" "$INSTDIR\dwl.chm"

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\dwl.exe,0"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Section "Uninstall"
  !insertmacro EndRunningDuskwell
  ; A file still in use (the help open in its viewer) goes at the next restart.
  Delete /REBOOTOK "$INSTDIR\dwl.exe"
  Delete /REBOOTOK "$INSTDIR\dwl.chm"
  Delete "$INSTDIR\uninstall.exe"
  SetShellVarContext all
  Delete "$SMPROGRAMS\${PRODUCT}\${PRODUCT}.lnk"
  Delete "$SMPROGRAMS\${PRODUCT}\${PRODUCT} Help.lnk"
  RMDir "$SMPROGRAMS\${PRODUCT}"

  DeleteRegValue HKLM "${RUN_KEY}" "DWL"
  DeleteRegValue HKLM "${SETTINGS_KEY}\Run" "Path"
  DeleteRegKey /ifempty HKLM "${SETTINGS_KEY}\Run"
  DeleteRegKey /ifempty HKLM "${SETTINGS_KEY}"
  DeleteRegKey /ifempty HKLM "SOFTWARE\Orbelle"

  MessageBox MB_YESNO|MB_ICONQUESTION "Also remove your ${PRODUCT} settings and scenarios?" /SD IDNO IDNO keep
    DeleteRegKey HKCU "${SETTINGS_KEY}"
    DeleteRegKey /ifempty HKCU "SOFTWARE\Orbelle"
    Delete "$INSTDIR\dwl.scn"
  keep:
  RMDir "$INSTDIR"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
