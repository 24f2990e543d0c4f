; The Windows installer of Glimmerdrop, built with makensis by scripts/package-windows.sh, which
; passes VERSION (1.50.07), VERSION_NUMBERS (1.50.7.0), STAGE (the folder holding exactly the
; files of the portable zip), ICON and OUTFILE.
;
; It installs for the current user without administrator rights, into the user's own programs
; folder; installing again, over the same or an older version, replaces the files in place and
; keeps one entry in "Apps & features". The uninstaller removes what was installed and that entry
; and keeps the player's settings and high scores under HKCU\SOFTWARE\Vantorix\Glimmerdrop.
; Both take /S to run silently.

!ifndef VERSION | VERSION_NUMBERS | STAGE | ICON | OUTFILE
  !error "scripts/package-windows.sh passes VERSION, VERSION_NUMBERS, STAGE, ICON and OUTFILE"
!endif

Unicode true
; The game is a 64-bit program; so is its installer, which also runs where only 64-bit programs do.
Target amd64-unicode
SetCompressor /SOLID lzma
ManifestDPIAware true
ManifestSupportedOS all
RequestExecutionLevel user
AllowSkipFiles off

!define PRODUCT "Glimmerdrop"
!define PUBLISHER "Vantorix"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Glimmerdrop"
!define SETTINGS_KEY "HKEY_CURRENT_USER\SOFTWARE\Vantorix\Glimmerdrop"

Name "${PRODUCT}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\${PRODUCT}"
; An earlier install, wherever the player put it, is replaced where it is.
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "${PRODUCT} ${VERSION}"

VIProductVersion "${VERSION_NUMBERS}"
VIFileVersion "${VERSION_NUMBERS}"
VIAddVersionKey /LANG=1033 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1033 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=1033 "FileDescription" "${PRODUCT} setup"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "LegalCopyright" "Copyright (c) 2026 ${PUBLISHER}"

!include "MUI2.nsh"
!include "LogicLib.nsh"
!include "FileFunc.nsh"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_COMPONENTS
!define MUI_PAGE_CUSTOMFUNCTION_LEAVE DirectoryLeave
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN "$INSTDIR\glimmerdrop.exe"
!define MUI_FINISHPAGE_RUN_TEXT "Play ${PRODUCT} now"
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!define MUI_FINISHPAGE_TITLE "${PRODUCT} has been removed"
!define MUI_FINISHPAGE_TEXT "${PRODUCT} has been removed from your computer.$\r$\n$\r$\nYour settings and high scores are kept, under ${SETTINGS_KEY} in the registry, for the next time you install the game."
!insertmacro MUI_UNPAGE_FINISH

!insertmacro MUI_LANGUAGE "English"

; Every file the installer puts in the program's folder besides the uninstaller: the same list
; installs and uninstalls.
!macro PROGRAM_FILES ACTION
  !insertmacro ${ACTION} "glimmerdrop.exe"
  !insertmacro ${ACTION} "glimmerdrop.vxz"
  !insertmacro ${ACTION} "README.txt"
  !insertmacro ${ACTION} "LICENSE.txt"
  !insertmacro ${ACTION} "THIRD-PARTY-LICENSES.txt"
  !insertmacro ${ACTION} "MINGW-W64-RUNTIME-LICENSES.txt"
!macroend
!macro INSTALL_FILE NAME
  File "${STAGE}/${NAME}"
!macroend
!macro REMOVE_FILE NAME
  Delete "$INSTDIR\${NAME}"
!macroend

; Sets $0 to 1 when $INSTDIR can be made and written, else 0.
Function CheckWritable
  StrCpy $0 0
  ClearErrors
  CreateDirectory "$INSTDIR"
  ${IfNot} ${Errors}
    ClearErrors
    FileOpen $1 "$INSTDIR\glimmerdrop-setup.tmp" w
    ${IfNot} ${Errors}
      FileClose $1
      Delete "$INSTDIR\glimmerdrop-setup.tmp"
      StrCpy $0 1
    ${EndIf}
  ${EndIf}
FunctionEnd

!define CANNOT_WRITE "${PRODUCT} cannot be installed in$\r$\n$INSTDIR$\r$\nbecause that folder cannot be written. Please choose another folder."

Function DirectoryLeave
  Call CheckWritable
  ${If} $0 != 1
    MessageBox MB_OK|MB_ICONSTOP "${CANNOT_WRITE}"
    Abort
  ${EndIf}
FunctionEnd

Section "${PRODUCT}" SectionProgram
  SectionIn RO
  ; A silent install never saw the directory page.
  Call CheckWritable
  ${If} $0 != 1
    MessageBox MB_OK|MB_ICONSTOP "${CANNOT_WRITE}" /SD IDOK
    SetErrorLevel 2
    Abort
  ${EndIf}
  SetOutPath "$INSTDIR"
  !insertmacro PROGRAM_FILES INSTALL_FILE
  WriteUninstaller "$INSTDIR\uninstall.exe"
  CreateShortcut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\glimmerdrop.exe" "" "$INSTDIR\glimmerdrop.exe" 0

  ; The entry comes last, once everything it points at is in place: an install that stops
  ; earlier leaves no entry behind, and "Apps & features" lists a key only once it has its name.
  ${GetSize} "$INSTDIR" "/S=0K" $1 $2 $3
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\glimmerdrop.exe,0"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $1
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
SectionEnd

Section /o "Desktop shortcut" SectionDesktop
  SetOutPath "$INSTDIR"
  CreateShortcut "$DESKTOP\${PRODUCT}.lnk" "$INSTDIR\glimmerdrop.exe" "" "$INSTDIR\glimmerdrop.exe" 0
SectionEnd

!insertmacro MUI_FUNCTION_DESCRIPTION_BEGIN
  !insertmacro MUI_DESCRIPTION_TEXT ${SectionProgram} "The game, its pictures and sounds, and a shortcut in the Start menu."
  !insertmacro MUI_DESCRIPTION_TEXT ${SectionDesktop} "A shortcut to the game on the desktop."
!insertmacro MUI_FUNCTION_DESCRIPTION_END

Section "Uninstall"
  !insertmacro PROGRAM_FILES REMOVE_FILE
  Delete "$INSTDIR\uninstall.exe"
  ; Only when empty: whatever the player put there stays.
  RMDir "$INSTDIR"
  Delete "$SMPROGRAMS\${PRODUCT}.lnk"
  Delete "$DESKTOP\${PRODUCT}.lnk"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
  ; The settings and high scores under ${SETTINGS_KEY} are the player's: they stay.
SectionEnd
