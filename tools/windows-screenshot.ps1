# Plays a short session in kinshu.exe on Windows itself, as the release
# workflow's Windows jobs do, and saves a picture of its window: four amounts
# entered, a Total, and the list left as a user leaves it (the entry box
# emptied by the last Input, no row selected).
#   tools/windows-screenshot.ps1 KINSHU.EXE OUT.png
# It drives the program with the messages its controls send (the entry box's
# text, the buttons' BN_CLICKED), so that no other window on the desktop can
# take its keys, and draws the window with PrintWindow, which does not need it
# in front.
param(
  [Parameter(Mandatory)] [string] $Program,
  [Parameter(Mandatory)] [string] $Out
)
$ErrorActionPreference = 'Stop'
# .NET resolves a relative path against the process's folder, not the shell's.
$Out = [IO.Path]::GetFullPath((Join-Path (Get-Location) $Out))
Add-Type -AssemblyName System.Drawing
Add-Type -TypeDefinition @'
using System;
using System.Runtime.InteropServices;
public static class KinshuWindow {
  [StructLayout(LayoutKind.Sequential)]
  public struct RECT { public int Left, Top, Right, Bottom; }
  [StructLayout(LayoutKind.Sequential)]
  public struct LVITEM {
    public uint mask; public int iItem, iSubItem; public uint state, stateMask;
    public IntPtr pszText; public int cchTextMax, iImage; public IntPtr lParam;
  }
  [DllImport("user32.dll", CharSet = CharSet.Ansi)]
  public static extern IntPtr FindWindowA(string cls, string title);
  [DllImport("user32.dll")]
  public static extern IntPtr GetDlgItem(IntPtr dialog, int id);
  [DllImport("user32.dll", CharSet = CharSet.Ansi, EntryPoint = "SendMessageA")]
  public static extern IntPtr SendText(IntPtr window, uint message, IntPtr wParam, string text);
  [DllImport("user32.dll", EntryPoint = "SendMessageA")]
  public static extern IntPtr Send(IntPtr window, uint message, IntPtr wParam, IntPtr lParam);
  [DllImport("user32.dll", EntryPoint = "SendMessageA")]
  public static extern IntPtr SendItem(IntPtr window, uint message, IntPtr wParam, ref LVITEM item);
  [DllImport("user32.dll")]
  public static extern bool GetWindowRect(IntPtr window, out RECT rect);
  [DllImport("user32.dll")]
  public static extern bool PrintWindow(IntPtr window, IntPtr dc, uint flags);
}
'@

# The program's control IDs (src/app/Globals.h) and the messages used.
$IDC_AMOUNT = 101; $IDC_INPUT = 201; $IDC_TOTAL = 203; $IDC_RESULTS = 301
$WM_SETTEXT = 0x000C; $WM_GETTEXTLENGTH = 0x000E; $WM_CLOSE = 0x0010
$WM_COMMAND = 0x0111; $LVM_GETITEMCOUNT = 0x1004; $LVM_SETITEMSTATE = 0x102B
$LVIS_SELECTED = 2; $PW_RENDERFULLCONTENT = 2

$process = Start-Process -FilePath $Program -PassThru
try {
  $main = [IntPtr]::Zero
  for ($i = 0; $i -lt 150 -and $main -eq [IntPtr]::Zero; $i++) {
    Start-Sleep -Milliseconds 200
    $main = [KinshuWindow]::FindWindowA('MYWNDCLASS', $null)
  }
  if ($main -eq [IntPtr]::Zero) { throw "kinshu's window did not appear within 30 s" }
  $edit = [KinshuWindow]::GetDlgItem($main, $IDC_AMOUNT)
  $list = [KinshuWindow]::GetDlgItem($main, $IDC_RESULTS)
  # A button's click reaches the window as WM_COMMAND with its ID and
  # BN_CLICKED (0) in wParam and its handle in lParam; sent, it returns once
  # the command has been handled.
  function Press($id) {
    [void][KinshuWindow]::Send($main, $WM_COMMAND, [IntPtr]$id, [KinshuWindow]::GetDlgItem($main, $id))
  }
  foreach ($amount in '12345', '88888', '4000', '999') {
    [void][KinshuWindow]::SendText($edit, $WM_SETTEXT, [IntPtr]::Zero, $amount)
    Press $IDC_INPUT
  }
  Press $IDC_TOTAL
  $rows = [int][KinshuWindow]::Send($list, $LVM_GETITEMCOUNT, [IntPtr]::Zero, [IntPtr]::Zero)
  $left = [int][KinshuWindow]::Send($edit, $WM_GETTEXTLENGTH, [IntPtr]::Zero, [IntPtr]::Zero)
  if ($rows -ne 5 -or $left -ne 0) {
    throw "after four Inputs and a Total the list has $rows rows (not 5) and the box $left characters (not 0)"
  }
  # The Total leaves the rows it read selected; a click on the list's empty
  # part would clear them, as this does for every row (-1).
  $none = New-Object KinshuWindow+LVITEM
  $none.stateMask = $LVIS_SELECTED
  [void][KinshuWindow]::SendItem($list, $LVM_SETITEMSTATE, [IntPtr](-1), [ref]$none)
  Start-Sleep -Milliseconds 500

  $rect = New-Object KinshuWindow+RECT
  [void][KinshuWindow]::GetWindowRect($main, [ref]$rect)
  $picture = New-Object System.Drawing.Bitmap ($rect.Right - $rect.Left), ($rect.Bottom - $rect.Top)
  $graphics = [System.Drawing.Graphics]::FromImage($picture)
  $dc = $graphics.GetHdc()
  $drawn = [KinshuWindow]::PrintWindow($main, $dc, $PW_RENDERFULLCONTENT)
  $graphics.ReleaseHdc($dc)
  $graphics.Dispose()
  if (-not $drawn) { throw 'PrintWindow could not draw the window' }
  $picture.Save($Out, [System.Drawing.Imaging.ImageFormat]::Png)
  $picture.Dispose()
  [void][KinshuWindow]::Send($main, $WM_CLOSE, [IntPtr]::Zero, [IntPtr]::Zero)
  if (-not $process.WaitForExit(10000)) { throw 'kinshu did not end within 10 s of WM_CLOSE' }
  Write-Output "a picture of kinshu: $Out"
} finally {
  if (-not $process.HasExited) { $process.Kill() }
}
