; The Kelvort installer: a per-machine installation into Program Files\Kelvort (the shared
; Config folder stays read-only for users), a Start-menu entry and an uninstaller; /S
; installs and uninstalls silently. makensis -DVERSION=... -DSTAGE=... -DOUTFILE=...
; A 64-bit installer: it runs where kelvort.exe runs, and writes the 64-bit registry view.
Target amd64-unicode
!include "MUI2.nsh"

!define PRODUCT "Kelvort"
!define PUBLISHER "Brannick Engineering Software GmbH"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Kelvort"

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\Kelvort"
RequestExecutionLevel admin
SetCompressor /SOLID lzma
VIProductVersion "${VERSION}.0"
VIAddVersionKey "ProductName" "${PRODUCT}"
VIAddVersionKey "CompanyName" "${PUBLISHER}"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "FileDescription" "${PRODUCT} setup"
VIAddVersionKey "LegalCopyright" "Copyright (c) ${PUBLISHER}"

!insertmacro MUI_PAGE_LICENSE "${STAGE}\LICENSE.txt"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "German"

; The Start-menu entry for all users.
Function .onInit
  SetShellVarContext all
FunctionEnd

Function un.onInit
  SetShellVarContext all
FunctionEnd

Section "Kelvort"
  SetOutPath "$INSTDIR\bin"
  File "${STAGE}\bin\kelvort.exe"
  SetOutPath "$INSTDIR\Config"
  File "${STAGE}\Config\Settings.xml"
  File "${STAGE}\Config\lang.xml"
  SetOutPath "$INSTDIR\Help"
  File "${STAGE}\Help\ind.html"
  SetOutPath "$INSTDIR"
  File "${STAGE}\LICENSE.txt"

  WriteUninstaller "$INSTDIR\Uninstall.exe"
  CreateDirectory "$SMPROGRAMS\${PRODUCT}"
  CreateShortcut "$SMPROGRAMS\${PRODUCT}\${PRODUCT}.lnk" "$INSTDIR\bin\kelvort.exe"
  CreateShortcut "$SMPROGRAMS\${PRODUCT}\${PRODUCT} Help.lnk" "$INSTDIR\Help\ind.html"

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\bin\kelvort.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

; Removes what the installer put there, by name; the users' own files under %APPDATA% stay.
Section "Uninstall"
  Delete "$SMPROGRAMS\${PRODUCT}\${PRODUCT}.lnk"
  Delete "$SMPROGRAMS\${PRODUCT}\${PRODUCT} Help.lnk"
  RMDir "$SMPROGRAMS\${PRODUCT}"
  Delete "$INSTDIR\bin\kelvort.exe"
  RMDir "$INSTDIR\bin"
  Delete "$INSTDIR\Config\Settings.xml"
  Delete "$INSTDIR\Config\lang.xml"
  RMDir "$INSTDIR\Config"
  Delete "$INSTDIR\Help\ind.html"
  RMDir "$INSTDIR\Help"
  Delete "$INSTDIR\LICENSE.txt"
  Delete "$INSTDIR\Uninstall.exe"
  RMDir "$INSTDIR"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
