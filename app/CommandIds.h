// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Command identifiers carried by the menu items and accelerators, and sent
// through CMainFrame::RouteCommand.
namespace CommandId {
inline constexpr int FileNew = 57600;
inline constexpr int FileOpen = 57601;
inline constexpr int FileSave = 57603;
inline constexpr int FileSaveAs = 57604;
inline constexpr int AppExit = 57665;
inline constexpr int AppAbout = 57664;
inline constexpr int ToolsVerify = 32772;
inline constexpr int ToolsUpload = 32773;
inline constexpr int ToolsDownload = 32774;
inline constexpr int ToolsModify = 32775;
// Loads "default.dat" and writes it to the device; no menu item or key sends it.
inline constexpr int DownloadDefault = 32776;
inline constexpr int EditUndo = 57643;
inline constexpr int EditCut = 57635;
inline constexpr int EditCopy = 57634;
inline constexpr int EditPaste = 57637;
inline constexpr int NextPane = 57680;
inline constexpr int PrevPane = 57681;
}  // namespace CommandId
