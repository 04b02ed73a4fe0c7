; The Vexil setup program. scripts/package compiles it with makensis and passes:
;   VERSION   the program's version, e.g. 1.0.0
;   STAGE     the folder holding the program exactly as it is installed
;   FILES     an include file of "File" lines, one per staged file
;   REMOVE    an include file of "Delete" lines, one per staged file
;   OUTFILE   where the setup program goes
; Vexil is 64-bit only, and so is the setup: a 32-bit Windows refuses to start it with its
; own message that the program does not suit this version of Windows. Everything goes into
; the 64-bit views of the file system and the registry.

Target amd64-unicode
Unicode true
SetCompressor /SOLID lzma
RequestExecutionLevel admin

!include "LogicLib.nsh"
!include "MUI2.nsh"

!define PRODUCT "Vexil"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Vexil"
!define PATH_KEY "SOFTWARE\Vexil\Path"
!define RECENT_KEY "SOFTWARE\Vexil\Most Recent"
!define CLASSES "Software\Classes"
!define APP_KEY "${CLASSES}\Applications\vexil.exe"
!define SHORTCUT "$SMPROGRAMS\Vexil.lnk"

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\Vexil"
; A new version goes where the last one was installed.
InstallDirRegKey HKLM "${PATH_KEY}" "AppPath"
BrandingText "${PRODUCT} ${VERSION}"

VIProductVersion "${VERSION}.0"
VIAddVersionKey "ProductName" "${PRODUCT}"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "FileDescription" "Vexil setup"
VIAddVersionKey "LegalCopyright" "Copyright (C) The Vexil developers"

!define MUI_ICON "${STAGE_ICON}"
!define MUI_UNICON "${STAGE_ICON}"
!define MUI_FINISHPAGE_RUN "$INSTDIR\vexil.exe"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

Function .onInit
  SetRegView 64
  SetShellVarContext all
FunctionEnd

Function un.onInit
  SetRegView 64
  SetShellVarContext all
FunctionEnd

; One kind of file Vexil opens: its ProgID and an "Open with" entry, never the extension's
; default (which belongs to whatever program the user chose).
!macro OpenWith EXT PROGID DESCRIPTION
  WriteRegStr HKLM "${CLASSES}\${PROGID}" "" "${DESCRIPTION}"
  WriteRegStr HKLM "${CLASSES}\${PROGID}\DefaultIcon" "" "$INSTDIR\vexil.exe,0"
  WriteRegStr HKLM "${CLASSES}\${PROGID}\shell\open\command" "" '"$INSTDIR\vexil.exe" "%1"'
  WriteRegStr HKLM "${CLASSES}\${EXT}\OpenWithProgids" "${PROGID}" ""
  WriteRegStr HKLM "${APP_KEY}\SupportedTypes" "${EXT}" ""
!macroend

!macro RemoveOpenWith EXT PROGID
  DeleteRegKey HKLM "${CLASSES}\${PROGID}"
  DeleteRegValue HKLM "${CLASSES}\${EXT}\OpenWithProgids" "${PROGID}"
  DeleteRegKey /ifempty HKLM "${CLASSES}\${EXT}\OpenWithProgids"
  DeleteRegKey /ifempty HKLM "${CLASSES}\${EXT}"
!macroend

Section "Vexil"
  SetOutPath "$INSTDIR"
  !include "${FILES}"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  ; The program and its document core read their folder from here at start-up.
  WriteRegStr HKLM "${PATH_KEY}" "AppPath" "$INSTDIR"
  ; The program keeps its recent-files list only in a key that already exists.
  WriteRegStr HKLM "${RECENT_KEY}" "RC1" ""
  WriteRegStr HKLM "${RECENT_KEY}" "RC2" ""
  WriteRegStr HKLM "${RECENT_KEY}" "RC3" ""
  WriteRegStr HKLM "${RECENT_KEY}" "RC4" ""

  WriteRegStr HKLM "${APP_KEY}" "FriendlyAppName" "Vexil"
  WriteRegStr HKLM "${APP_KEY}\shell\open\command" "" '"$INSTDIR\vexil.exe" "%1"'
  !insertmacro OpenWith ".ico" "Vexil.Icon" "Icon"
  !insertmacro OpenWith ".cur" "Vexil.Cursor" "Cursor"
  !insertmacro OpenWith ".ani" "Vexil.AnimatedCursor" "Animated cursor"
  !insertmacro OpenWith ".fic" "Vexil.Project" "Vexil project"
  ; Vexil's own format opens with Vexil, unless another program has already taken it.
  ReadRegStr $0 HKLM "${CLASSES}\.fic" ""
  ${If} $0 == ""
    WriteRegStr HKLM "${CLASSES}\.fic" "" "Vexil.Project"
  ${EndIf}

  CreateShortCut "${SHORTCUT}" "$INSTDIR\vexil.exe" "" "$INSTDIR\vexil.exe" 0

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "Vexil"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "The Vexil developers"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\vexil.exe,0"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1

  ; SHCNE_ASSOCCHANGED: Explorer rereads the "Open with" lists.
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
SectionEnd

Section "Uninstall"
  !include "${REMOVE}"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  Delete "${SHORTCUT}"

  DeleteRegValue HKLM "${PATH_KEY}" "AppPath"
  DeleteRegKey /ifempty HKLM "${PATH_KEY}"
  DeleteRegKey HKLM "${RECENT_KEY}"
  DeleteRegKey /ifempty HKLM "SOFTWARE\Vexil"

  ReadRegStr $0 HKLM "${CLASSES}\.fic" ""
  ${If} $0 == "Vexil.Project"
    DeleteRegValue HKLM "${CLASSES}\.fic" ""
  ${EndIf}
  !insertmacro RemoveOpenWith ".ico" "Vexil.Icon"
  !insertmacro RemoveOpenWith ".cur" "Vexil.Cursor"
  !insertmacro RemoveOpenWith ".ani" "Vexil.AnimatedCursor"
  !insertmacro RemoveOpenWith ".fic" "Vexil.Project"
  DeleteRegKey HKLM "${APP_KEY}"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"

  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
SectionEnd
