; The Windows setup program: a per-machine install into %ProgramFiles%\Brimlet with a
; Start-menu entry and an entry in "Apps & features", its own texts in Korean.
; scripts/package-windows builds it with
;   makensis -INPUTCHARSET UTF8 -DVERSION=<x.y> -DFILE_VERSION=<a.b.c.d>
;            -DPROGRAM_DIR=<folder> -DICON=<brimlet.ico> -DOUTPUT=<setup.exe> brimlet.nsi
; The installed folder holds brimlet.installed, so the program keeps its settings in
; %APPDATA%\brimlet and the technician's firmware in %LOCALAPPDATA%\brimlet: neither
; an update nor the removal touches those.

Unicode true
Target amd64-unicode
RequestExecutionLevel admin
ManifestDPIAware true
SetCompressor /SOLID lzma

!define PRODUCT_NAME "Brimlet 펌웨어 다운로드"
!define PUBLISHER "Norvane"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Brimlet"
!define UNINSTALLER "uninstall.exe"
!define SHORTCUT "$SMPROGRAMS\${PRODUCT_NAME}.lnk"

Name "${PRODUCT_NAME}"
OutFile "${OUTPUT}"
BrandingText "${PRODUCT_NAME} ${VERSION}"
InstallDir "$PROGRAMFILES64\Brimlet"
; An update goes where the installed version is.
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Korean"
; The language file asks for Gulim, which only Korean-language Windows has; Malgun
; Gothic comes with every Windows since 7.
SetFont "Malgun Gothic" 9

VIProductVersion "${FILE_VERSION}"
VIAddVersionKey /LANG=${LANG_KOREAN} "ProductName" "${PRODUCT_NAME}"
VIAddVersionKey /LANG=${LANG_KOREAN} "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=${LANG_KOREAN} "FileDescription" "${PRODUCT_NAME} 설치"
VIAddVersionKey /LANG=${LANG_KOREAN} "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_KOREAN} "ProductVersion" "${VERSION}"

LangString PROGRAM_RUNNING ${LANG_KOREAN} \
  "${PRODUCT_NAME}이(가) 실행 중입니다. 프로그램을 모두 닫은 뒤 다시 시도해 주세요."

; Windows holds the file of a program that runs, and of the library it has loaded:
; such a file can be neither replaced nor deleted. Setup and the removal stop before
; they touch anything rather than leave half a program behind (exit code 2).
!macro QUIT_WHILE_RUNNING folder
  !insertmacro QUIT_WHILE_IN_USE "${folder}\brimlet.exe"
  !insertmacro QUIT_WHILE_IN_USE "${folder}\brimlet-cli.exe"
  !insertmacro QUIT_WHILE_IN_USE "${folder}\VexilonDll.dll"
!macroend
!macro QUIT_WHILE_IN_USE file
  ${If} ${FileExists} "${file}"
    ClearErrors
    FileOpen $9 "${file}" a
    ${If} ${Errors}
      MessageBox MB_OK|MB_ICONSTOP "$(PROGRAM_RUNNING)" /SD IDOK
      SetErrorLevel 2
      Quit
    ${EndIf}
    FileClose $9
  ${EndIf}
!macroend

Function .onInit
  SetShellVarContext all
  ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "InstallLocation"
  ${If} $0 != ""
    !insertmacro QUIT_WHILE_RUNNING "$0"
  ${EndIf}
FunctionEnd

Function un.onInit
  SetShellVarContext all
  !insertmacro QUIT_WHILE_RUNNING "$INSTDIR"
FunctionEnd

Section
  ; The installed version's own uninstaller takes away what it laid down, in place
  ; (_?=) so that setup waits for it; it never touches the user's folders.
  ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "InstallLocation"
  ${If} $0 != ""
  ${AndIf} ${FileExists} "$0\${UNINSTALLER}"
    ExecWait '"$0\${UNINSTALLER}" /S _?=$0'
    Delete "$0\${UNINSTALLER}"
    RMDir "$0"
  ${EndIf}

  SetOutPath "$INSTDIR"
  File "${PROGRAM_DIR}/brimlet.exe"
  File "${PROGRAM_DIR}/brimlet-cli.exe"
  File "${PROGRAM_DIR}/VexilonDll.dll"
  File "${PROGRAM_DIR}/FWDownladManual.pdf"
  CreateDirectory "$INSTDIR\RIVI_OIL"
  ; The marker: an empty file.
  FileOpen $1 "$INSTDIR\brimlet.installed" w
  FileClose $1
  WriteUninstaller "$INSTDIR\${UNINSTALLER}"

  CreateShortcut "${SHORTCUT}" "$INSTDIR\brimlet.exe" "" "$INSTDIR\brimlet.exe" 0

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT_NAME}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\brimlet.exe,0"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\${UNINSTALLER}"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\${UNINSTALLER}" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $2 $3 $4
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $2
SectionEnd

; Only what setup laid down goes: firmware someone put into the program folder's
; RIVI_OIL\ stays, and with it the folder.
Section "Uninstall"
  Delete "${SHORTCUT}"
  Delete "$INSTDIR\brimlet.exe"
  Delete "$INSTDIR\brimlet-cli.exe"
  Delete "$INSTDIR\VexilonDll.dll"
  Delete "$INSTDIR\FWDownladManual.pdf"
  Delete "$INSTDIR\brimlet.installed"
  RMDir "$INSTDIR\RIVI_OIL"
  Delete "$INSTDIR\${UNINSTALLER}"
  RMDir "$INSTDIR"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
