; The Duskwell installer. Built by scripts/release (and the install test):
;   makensis -DARCH=x86|x64 -DVERSION=<version> -DEXE=<dwl.exe> -DCHM=<dwl.chm> -DOUTFILE=<setup.exe> installer/duskwell.nsi
; VERSION is the CMake project's. Installs dwl.exe and its help into Program
; Files\Duskwell, tells the program where it lives (its startup entry copies
; that), adds Start-menu shortcuts and an uninstaller, and, unless unticked,
; starts Duskwell with Windows for all users. Settings and scenario files are
; the user's: an upgrade keeps them, and the uninstaller removes them only when
; asked. /STARTUP=0 on the command line unticks the start with Windows (in
; silent runs too), /STARTUP=1 ticks it (the default); another value is
; refused with exit code 2. The x64 setup works in the registry's 64-bit view, the x86 one in the
; 32-bit view; each takes over a copy that the other installed.
Unicode true
!ifndef ARCH
  !define ARCH x86
!endif
!ifndef VERSION
  !error "VERSION: the CMake project's version, e.g. -DVERSION=2.5"
!endif
!if "${ARCH}" == "x64"
  Target amd64-unicode
  !define OWN_VIEW 64
  !define OTHER_VIEW 32
!else
  Target x86-unicode
  !define OWN_VIEW 32
  !define OTHER_VIEW 64
!endif

!include "MUI2.nsh"
!include "LogicLib.nsh"
!include "x64.nsh"
!include "WinMessages.nsh"
!include "FileFunc.nsh"
!include "Sections.nsh"

!define PRODUCT "Duskwell"
!define PUBLISHER "The Duskwell developers"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Duskwell"
!define SETTINGS_KEY "SOFTWARE\Orbelle\DWL"
!define RUN_KEY "SOFTWARE\Microsoft\Windows\CurrentVersion\Run"

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
RequestExecutionLevel admin
SetCompressor /SOLID lzma
; No file times in the setup: two builds of one commit are the same file.
SetDateSave off
!if "${ARCH}" == "x64"
  InstallDir "$PROGRAMFILES64\${PRODUCT}"
!else
  InstallDir "$PROGRAMFILES\${PRODUCT}"
!endif
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"

!define MUI_ICON "../res/dwl.ico"
!define MUI_UNICON "../res/dwl.ico"
!define MUI_COMPONENTSPAGE_NODESC
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_COMPONENTS
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

; Ends a running Duskwell the orderly way, a close message to its message window (on
; which it saves its scenarios and exits), and waits for its process to end:
; ten seconds in all, whether it answers or not.
!macro EndRunningDuskwellFunction UN
Function ${UN}EndRunningDuskwell
  System::Call 'kernel32::GetTickCount() i .r3'
  IntOp $3 $3 + 10000
  ${Do}
    FindWindow $0 "DuskwellMessages" ""
    ${If} $0 = 0
      ; a copy of a version before the message window
      FindWindow $0 "DuskwellOptions" ""
    ${EndIf}
    ${If} $0 = 0
      ${Break}
    ${EndIf}
    StrCpy $1 0
    System::Call 'user32::GetWindowThreadProcessId(p r0, *i .r1)'
    ; SYNCHRONIZE: enough to wait for it
    System::Call 'kernel32::OpenProcess(i 0x00100000, i 0, i r1) p .r2'
    System::Call 'user32::PostMessageW(p r0, i ${WM_CLOSE}, p 0, p 0)'
    System::Call 'kernel32::GetTickCount() i .r4'
    IntOp $4 $3 - $4
    ${If} $4 <= 0
      ${If} $2 P<> 0
        System::Call 'kernel32::CloseHandle(p r2)'
      ${EndIf}
      ${Break}
    ${EndIf}
    ${If} $2 P<> 0
      System::Call 'kernel32::WaitForSingleObject(p r2, i r4)'
      System::Call 'kernel32::CloseHandle(p r2)'
    ${Else}
      Sleep 200
    ${EndIf}
  ${Loop}
FunctionEnd
!macroend
!insertmacro EndRunningDuskwellFunction ""
!insertmacro EndRunningDuskwellFunction "un."

!macro UseRegistryView
  !if "${ARCH}" == "x64"
    ${IfNot} ${RunningX64}
      MessageBox MB_OK|MB_ICONSTOP "This is the 64-bit ${PRODUCT}; please use the 32-bit setup on this Windows." /SD IDOK
      Quit
    ${EndIf}
  !endif
  SetRegView ${OWN_VIEW}
!macroend

Var OtherPlace  ; where the other setup installed Duskwell, if it did

Function .onInit
  !insertmacro UseRegistryView
  Call ReadStartupOption
  ${If} ${RunningX64}
    SetRegView ${OTHER_VIEW}
    ReadRegStr $OtherPlace HKLM "${UNINSTALL_KEY}" "InstallLocation"
    SetRegView ${OWN_VIEW}
    ; One product: the copy the other setup installed is upgraded in its place.
    ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "InstallLocation"
    ${If} $0 == ""
    ${AndIf} $OtherPlace != ""
      StrCpy $INSTDIR $OtherPlace
    ${EndIf}
  ${EndIf}
FunctionEnd

Function un.onInit
  !insertmacro UseRegistryView
FunctionEnd

; A chosen folder that holds other files and no Duskwell gets a folder of
; Duskwell's own, so that nothing of another product is overwritten.
Function UseOwnFolder
  ${If} ${FileExists} "$INSTDIR\*.*"
  ${AndIfNot} ${FileExists} "$INSTDIR\dwl.exe"
    FindFirst $0 $1 "$INSTDIR\*.*"
    ${DoWhile} $1 != ""
      ${If} $1 != "."
      ${AndIf} $1 != ".."
        StrCpy $INSTDIR "$INSTDIR\${PRODUCT}"
        ${Break}
      ${EndIf}
      FindNext $0 $1
    ${Loop}
    FindClose $0
  ${EndIf}
FunctionEnd

; A folder outside Program Files gets the rights of Program Files before
; anything is put in it: owned by the administrators, administrators and
; SYSTEM in full, users read and run, nothing inherited. Left as it inherits from C:\, any user could swap
; the program that starts at every logon, or the uninstaller an
; administrator runs. A folder that cannot be so protected is not used.
Function ProtectFolder
  ; Below Program Files the folder has those rights already.
  StrLen $1 "$PROGRAMFILES\"
  StrCpy $2 "$INSTDIR\" $1
  StrCmp $2 "$PROGRAMFILES\" protected
  StrLen $1 "$PROGRAMFILES64\"
  StrCpy $2 "$INSTDIR\" $1
  StrCmp $2 "$PROGRAMFILES64\" protected
  StrCpy $8 ""
  StrCpy $R9 ""
  ${If} ${FileExists} "$INSTDIR\*.*"
    ; A folder that was there before is used only when it is no link and
    ; belongs to the administrators, SYSTEM or TrustedInstaller: whoever owns
    ; it may change any rights it is given, and what it already holds.
    System::Call 'kernel32::GetFileAttributesW(w "$INSTDIR") i .r1'
    IntOp $1 $1 & 0x400
    ${If} $1 == 0
      System::Call 'advapi32::GetNamedSecurityInfoW(w "$INSTDIR", i 1, i 1, *p .r2, p 0, p 0, p 0, *p .r3) i .r4'
      ${If} $4 == 0
        System::Call 'advapi32::ConvertSidToStringSidW(p r2, *p .r5) i .r4'
        ${If} $4 != 0
          System::Call '*$5(&w128 .r6)'
          System::Call 'kernel32::LocalFree(p r5)'
          ${If} $6 == "S-1-5-32-544"
          ${OrIf} $6 == "S-1-5-18"
          ${OrIf} $6 == "S-1-5-80-956008885-3418522649-1831038044-1853292631-2271478464"
            StrCpy $8 owned
          ${EndIf}
        ${EndIf}
        System::Call 'kernel32::LocalFree(p r3)'
      ${EndIf}
    ${EndIf}
  ${Else}
    CreateDirectory "$INSTDIR"
    StrCpy $8 owned
    StrCpy $R9 made
  ${EndIf}
  ${If} $8 == owned
    StrCpy $8 ""
    System::Call 'advapi32::ConvertStringSecurityDescriptorToSecurityDescriptorW(w "O:BAD:PAI(A;OICI;FA;;;BA)(A;OICI;FA;;;SY)(A;OICI;0x1200a9;;;BU)", i 1, *p .r3, p 0) i .r4'
    ${If} $4 != 0
      System::Call 'advapi32::GetSecurityDescriptorOwner(p r3, *p .r5, *i .r7) i .r4'
      System::Call 'advapi32::GetSecurityDescriptorDacl(p r3, *i .r7, *p .r6, *i .r7) i .r9'
      ${If} $4 != 0
      ${AndIf} $9 != 0
        ; SE_FILE_OBJECT; the owner and the DACL, protected: the folder and all it holds.
        System::Call 'advapi32::SetNamedSecurityInfoW(w "$INSTDIR", i 1, i 0x80000005, p r5, p 0, p r6, p 0) i .r4'
        ${If} $4 == 0
          StrCpy $8 ok
        ${EndIf}
      ${EndIf}
      System::Call 'kernel32::LocalFree(p r3)'
    ${EndIf}
  ${EndIf}
  ${If} $8 != ok
    ${If} $R9 == made
      RMDir "$INSTDIR"
    ${EndIf}
    MessageBox MB_OK|MB_ICONSTOP "$INSTDIR cannot be protected against changes by other users.$\r$\nChoose a folder under Program Files, or a new folder, and run setup again." /SD IDOK
    SetErrorLevel 2
    Abort
  ${EndIf}
  protected:
FunctionEnd

!macro AddFileSize FILE
  FileOpen $1 "${FILE}" r
  FileSeek $1 0 END $2
  FileClose $1
  IntOp $0 $0 + $2
!macroend

!macro RemoveProgramFiles UN DIR
  Delete /REBOOTOK "${DIR}\dwl.exe"
  Delete /REBOOTOK "${DIR}\dwl.chm"
  ; Written on Windows XP, read-only and hidden.
  SetFileAttributes "${DIR}\dwl.exe.MANIFEST" NORMAL
  Delete "${DIR}\dwl.exe.MANIFEST"
  Delete "${DIR}\dwl.scn.new"
  Delete "${DIR}\uninstall.exe"
!macroend

Section "-Program"
  Call UseOwnFolder
  Call ProtectFolder
  Call EndRunningDuskwell
  SetOutPath "$INSTDIR"
  ; Nothing is registered unless the program itself could be replaced.
  SetOverwrite try
  ClearErrors
  File "/oname=dwl.exe" "${EXE}"
  ${If} ${Errors}
    MessageBox MB_OK|MB_ICONSTOP "$INSTDIR\dwl.exe cannot be replaced: ${PRODUCT} still runs.$\r$\nEnd it (its tray menu's Exit) and run setup again." /SD IDOK
    SetErrorLevel 2
    Abort
  ${EndIf}
  ; The help may be open in its viewer: then the one there stays.
  File "/oname=dwl.chm" "${CHM}"
  SetOverwrite on
  WriteUninstaller "$INSTDIR\uninstall.exe"

  ; The copy of the other setup becomes this one: its registry values go.
  ${If} ${RunningX64}
    SetRegView ${OTHER_VIEW}
    ${If} $OtherPlace != ""
    ${AndIf} $OtherPlace != $INSTDIR
      !insertmacro RemoveProgramFiles "" "$OtherPlace"
      RMDir "$OtherPlace"
    ${EndIf}
    DeleteRegKey HKLM "${UNINSTALL_KEY}"
    DeleteRegValue HKLM "${RUN_KEY}" "DWL"
    DeleteRegKey HKLM "${SETTINGS_KEY}\Run"
    DeleteRegKey /ifempty HKLM "${SETTINGS_KEY}"
    DeleteRegKey /ifempty HKLM "SOFTWARE\Orbelle"
    SetRegView ${OWN_VIEW}
  ${EndIf}

  ; The program's startup entry copies this command.
  WriteRegStr HKLM "${SETTINGS_KEY}\Run" "Path" '"$INSTDIR\dwl.exe"'
  DeleteRegValue HKLM "${RUN_KEY}" "DWL"

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
  ; The installed files alone, in KB.
  StrCpy $0 0
  !insertmacro AddFileSize "$INSTDIR\dwl.exe"
  !insertmacro AddFileSize "$INSTDIR\dwl.chm"
  !insertmacro AddFileSize "$INSTDIR\uninstall.exe"
  IntOp $0 $0 + 1023
  IntOp $0 $0 / 1024
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Section "Start ${PRODUCT} when Windows starts" StartWithWindows
  WriteRegStr HKLM "${RUN_KEY}" "DWL" '"$INSTDIR\dwl.exe"'
  ; The installing account's own entry would start it a second time.
  DeleteRegValue HKCU "${RUN_KEY}" "DWL"
SectionEnd

; /STARTUP=0|1 presets the choice of starting with Windows; an unknown value
; installs nothing.
Function ReadStartupOption
  ${GetParameters} $0
  ClearErrors
  ${GetOptions} $0 "/STARTUP=" $1
  ${IfNot} ${Errors}
    ${If} $1 == "0"
      !insertmacro UnselectSection ${StartWithWindows}
    ${ElseIf} $1 != "1"
      MessageBox MB_OK|MB_ICONSTOP "/STARTUP=$1 is not known: /STARTUP=1 starts ${PRODUCT} when Windows starts, /STARTUP=0 does not." /SD IDOK
      SetErrorLevel 2
      Quit
    ${EndIf}
  ${EndIf}
FunctionEnd

Section "Uninstall"
  Call un.EndRunningDuskwell
  ; A file still in use (the help open in its viewer) goes at the next restart.
  !insertmacro RemoveProgramFiles "un." "$INSTDIR"
  SetShellVarContext all
  Delete "$SMPROGRAMS\${PRODUCT}\${PRODUCT}.lnk"
  Delete "$SMPROGRAMS\${PRODUCT}\${PRODUCT} Help.lnk"
  RMDir "$SMPROGRAMS\${PRODUCT}"
  SetShellVarContext current

  ; The machine's startup entry, and that of the account running this.
  DeleteRegValue HKLM "${RUN_KEY}" "DWL"
  DeleteRegValue HKCU "${RUN_KEY}" "DWL"
  DeleteRegValue HKLM "${SETTINGS_KEY}\Run" "Path"
  DeleteRegKey /ifempty HKLM "${SETTINGS_KEY}\Run"
  DeleteRegKey /ifempty HKLM "${SETTINGS_KEY}"
  DeleteRegKey /ifempty HKLM "SOFTWARE\Orbelle"

  Delete "$APPDATA\${PRODUCT}\dwl.scn.new"
  MessageBox MB_YESNO|MB_ICONQUESTION "Also remove your ${PRODUCT} settings and scenarios?" /SD IDNO IDNO keep
    DeleteRegKey HKCU "${SETTINGS_KEY}"
    DeleteRegKey /ifempty HKCU "SOFTWARE\Orbelle"
    ; Where this version keeps them, and where older ones did.
    Delete "$APPDATA\${PRODUCT}\dwl.scn"
    Delete "$APPDATA\${PRODUCT}\dwl.scn.bad*"
    Delete "$INSTDIR\dwl.scn"
    Delete "$INSTDIR\dwl.scn.bad*"
    StrCpy $0 "$INSTDIR" "" 3
    Delete "$LOCALAPPDATA\VirtualStore\$0\dwl.scn"
    Delete "$LOCALAPPDATA\VirtualStore\$0\dwl.scn.bad*"
    RMDir "$LOCALAPPDATA\VirtualStore\$0"
  keep:
  RMDir "$APPDATA\${PRODUCT}"
  RMDir "$INSTDIR"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
