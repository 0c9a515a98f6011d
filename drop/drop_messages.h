#ifndef QUELT_DROP_DROP_MESSAGES_H
#define QUELT_DROP_DROP_MESSAGES_H

// What quelt-drop says, in Japanese and English (UTF-8: the companions' console
// shows it as characters under any code page).

constexpr char dropName[] = "quelt-drop";
// Started without an image (a double click).
constexpr char dropUsageText[] =
    "quelt-drop: イメージ (.d88) かアーカイブ (.zip など) をこのプログラムにドロップ\n"
    "してください。イメージの横に同じ名前のフォルダーを作り、そこに quelt の\n"
    "ファイルを書き出します。\n"
    "quelt-drop: drop an image (.d88) or an archive (.zip and others) on this\n"
    "program. It makes a folder named for it beside it and writes quelt's files\n"
    "there.\n";
// The image, and the folder its files go to.
constexpr char dropStartFormat[] = "\n%s\n  -> %s\n";
// The folder could not be made; the system's reason follows.
constexpr char noFolderText[] = "cannot make a folder for the files";
// A program beside quelt-drop.exe could not be started; the reason follows.
constexpr char notStartedText[] = "cannot be started";
// The join found no set: quelt-join has said why.
constexpr char noSetText[] =
    "quelt-drop: セットが見つからないので quelt を実行しませんでした。\n"
    "quelt-drop: no set found, so quelt was not run.\n";
// The run ended; shown before the window closes, when it is quelt-drop's own.
constexpr char pressAKeyText[] =
    "\nキーを押すと閉じます。 / Press any key to close this window.\n";

// The joined set's name in the new folder.
constexpr char joinedSetName[] = "set.d88";
// Beside quelt-drop.exe.
constexpr wchar_t joinProgram[] = L"quelt-join.exe";
constexpr wchar_t queltProgram[] = L"quelt.exe";
// A folder of the image's name that is there already: "NAME (2)", ... up to.
constexpr int folderAttempts = 100;

#endif
