#pragma once
// Command ids of the menus, toolbars and accelerator tables. The framework's standard
// ids keep their traditional values so that tables of every frame use one numbering.

namespace cmd {

// File
constexpr int FileNew = 57600;
constexpr int FileOpen = 57601;
constexpr int FileClose = 57602;
constexpr int FileSave = 57603;
constexpr int FileSaveAs = 57604;
constexpr int FilePrintSetup = 57606;
constexpr int FilePrint = 57607;
constexpr int FilePrintDirect = 57608;
constexpr int FilePrintPreview = 57609;
constexpr int FileUpdate = 57610;
constexpr int FileSaveCopyAs = 57611;
constexpr int FileExport = 32790;
constexpr int FileMruFirst = 57616; // ten entries, 57616..57625
constexpr int FileMruCount = 10;
constexpr int AppExit = 57665;

// Edit
constexpr int EditCopy = 57634;
constexpr int EditCut = 57635;
constexpr int EditPaste = 57637;
constexpr int EditUndo = 57643;
constexpr int EditRedo = 57644;
constexpr int CopyAsPicture = 32784;

// View
constexpr int ViewToolbar = 59392;
constexpr int ViewStatusBar = 59393;
constexpr int CancelInPlace = 32769; // Esc while editing in place
constexpr int ZoomIn = 32785;
constexpr int ZoomOut = 32786;
constexpr int ZoomActual = 32787;

// Window
constexpr int WindowCascade = 57650;
constexpr int WindowTile = 57651;
constexpr int WindowNext = 32788;
constexpr int WindowPrevious = 32789;
constexpr int WindowListFirst = 65280; // one entry per open document window
constexpr int WindowListCount = 64;

// Tools
constexpr int Options = 32771;
constexpr int Font = 32772;
constexpr int AdjustLevel = 32775;
constexpr int WriteDefaultConfig = 32776;
constexpr int FontToolbar = 32779;
constexpr int OptionsToolbar = 32780;

// Help
constexpr int AppAbout = 57664;
constexpr int AboutTamrel = 32773;
constexpr int ReadHelpFile = 32777;
constexpr int ReadQuickrefCard = 32778;
constexpr int ReadManual = 32781;
constexpr int HelpIndex = 57667;
constexpr int ContextHelp = 57669;
constexpr int Help = 57670;
constexpr int HelpUsing = 57671;
constexpr int NextPane = 57680;
constexpr int PrevPane = 57681;

// Resource numbers of the menu, toolbar and accelerator sets.
constexpr int ResMain = 128;     // the program's own windows
constexpr int ResInPlace = 4;    // editing inside a container
constexpr int ResOpenServer = 5; // an equation opened from a container

} // namespace cmd
