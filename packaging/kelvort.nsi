; The Kelvort installer: a per-machine installation into Program Files\Kelvort (the shared
; Config folder stays read-only for users), a Start-menu entry and an uninstaller; /S
; installs and uninstalls silently. An installed version is upgraded in its own folder; an
; older installer than the installed version stops (exit status 2). Config\Settings.xml is the
; administrator's: installed only where none is, kept on uninstall; the shipped one always
; lies beside it as Settings.default.xml. makensis -DVERSION=... -DSTAGE=... -DOUTFILE=...
; A 64-bit installer: it runs where kelvort.exe runs, and writes the 64-bit registry view.
Target amd64-unicode
!include "MUI2.nsh"
!include "WordFunc.nsh"

!define PRODUCT "Kelvort"
!define PUBLISHER "Brannick Engineering Software GmbH"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Kelvort"

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\Kelvort"
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
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
!define MUI_PAGE_CUSTOMFUNCTION_PRE SkipFolderWhenInstalled
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "German"

Var InstalledVersion
Var InstalledFolder
LangString NewerInstalled ${LANG_ENGLISH} "Kelvort $InstalledVersion is installed, a later version than this one (${VERSION}). Uninstall it first to install this older one."
LangString NewerInstalled ${LANG_GERMAN} "Kelvort $InstalledVersion ist installiert, eine neuere Version als diese (${VERSION}). Deinstallieren Sie sie zuerst, um diese ältere zu installieren."
LangString InstalledElsewhere ${LANG_ENGLISH} "Kelvort is installed in $InstalledFolder. It is upgraded there; to install it into $INSTDIR, uninstall it first."
LangString InstalledElsewhere ${LANG_GERMAN} "Kelvort ist in $InstalledFolder installiert und wird dort aktualisiert. Um es nach $INSTDIR zu installieren, deinstallieren Sie es zuerst."

; The Start-menu entry for all users. An installed version decides the folder (InstallDirRegKey);
; a downgrade, or another folder given with /D, stops before anything is touched.
Function .onInit
  SetShellVarContext all
  SetRegView 64
  ReadRegStr $InstalledVersion HKLM "${UNINSTALL_KEY}" "DisplayVersion"
  ReadRegStr $InstalledFolder HKLM "${UNINSTALL_KEY}" "InstallLocation"
  StrCmp $InstalledVersion "" done
  ${VersionCompare} "$InstalledVersion" "${VERSION}" $0
  StrCmp $0 1 0 +4
    MessageBox MB_OK|MB_ICONSTOP "$(NewerInstalled)" /SD IDOK
    SetErrorLevel 2
    Quit
  StrCmp $InstalledFolder "" done
  StrCmp $InstalledFolder $INSTDIR done
    MessageBox MB_OK|MB_ICONSTOP "$(InstalledElsewhere)" /SD IDOK
    SetErrorLevel 2
    Quit
  done:
FunctionEnd

Function SkipFolderWhenInstalled
  StrCmp $InstalledFolder "" +2
    Abort
FunctionEnd

Function un.onInit
  SetShellVarContext all
  SetRegView 64
FunctionEnd

Section "Kelvort"
  SetOutPath "$INSTDIR\bin"
  File "${STAGE}\bin\kelvort.exe"
  SetOutPath "$INSTDIR\Config"
  SetOverwrite off
  File "${STAGE}\Config\Settings.xml"
  SetOverwrite on
  File "${STAGE}\Config\Settings.default.xml"
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

; Removes what the installer put there, by name, but Config\Settings.xml; the users' own files
; under %APPDATA% stay. /S returns at once (the uninstaller runs from a copy in the temporary
; folder); "Uninstall.exe /S _?=FOLDER" runs in place and returns when done, leaving itself.
Section "Uninstall"
  Delete "$SMPROGRAMS\${PRODUCT}\${PRODUCT}.lnk"
  Delete "$SMPROGRAMS\${PRODUCT}\${PRODUCT} Help.lnk"
  RMDir "$SMPROGRAMS\${PRODUCT}"
  Delete "$INSTDIR\bin\kelvort.exe"
  RMDir "$INSTDIR\bin"
  Delete "$INSTDIR\Config\Settings.default.xml"
  Delete "$INSTDIR\Config\lang.xml"
  RMDir "$INSTDIR\Config"
  Delete "$INSTDIR\Help\ind.html"
  RMDir "$INSTDIR\Help"
  Delete "$INSTDIR\LICENSE.txt"
  Delete "$INSTDIR\Uninstall.exe"
  RMDir "$INSTDIR"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
