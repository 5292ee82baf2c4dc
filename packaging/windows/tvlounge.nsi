; The Windows installer: the zip's files, installed for the current user
; alone (no administrator rights) into the user's programs folder, with a
; Start-menu shortcut and an entry in the list of installed apps. Made by
; scripts/windows.sh installer, which defines:
;   FILES     the generated macros TvlInstallFiles and TvlRemoveFiles
;   VERSION   the project's version, SIZE_KB the installed size
;   ICON      tvlounge.exe's icon, OUTFILE the installer to write
; /S installs and uninstalls without a window.
Unicode true
; A 64-bit stub: the game is a 64-bit program, and runs where the installer
; runs.
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel user

!include "${FILES}"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\TvLounge"
!define SHORTCUT "$SMPROGRAMS\TV Lounge.lnk"

Name "TV Lounge"
OutFile "${OUTFILE}"
Icon "${ICON}"
UninstallIcon "${ICON}"
InstallDir "$LOCALAPPDATA\Programs\TV Lounge"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
ShowInstDetails nevershow
ShowUninstDetails nevershow

VIProductVersion "${VERSION}.0"
VIAddVersionKey "ProductName" "TV Lounge"
VIAddVersionKey "FileDescription" "TV Lounge installer"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "CompanyName" "TV Lounge developers"
VIAddVersionKey "LegalCopyright" "Copyright 2026 the TV Lounge developers"

Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

Function .onInit
  SetShellVarContext current
FunctionEnd

Function un.onInit
  SetShellVarContext current
FunctionEnd

Section "TV Lounge"
  !insertmacro TvlInstallFiles
  WriteUninstaller "$INSTDIR\uninstall.exe"
  ; The shortcut's working folder is the output folder: the installation.
  CreateShortcut "${SHORTCUT}" "$INSTDIR\tvlounge.exe" "" "$INSTDIR\tvlounge.exe" 0
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "TV Lounge"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\tvlounge.exe,0"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "TV Lounge developers"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" ${SIZE_KB}
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

; Only what the installer put down is deleted, by name: a folder the player
; chose that holds other files keeps them.
Section "Uninstall"
  Delete "${SHORTCUT}"
  !insertmacro TvlRemoveFiles
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  ; The user's programs folder, when the installer made it and nothing else
  ; is in it.
  RMDir "$LOCALAPPDATA\Programs"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd
