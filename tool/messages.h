#ifndef QUELT_TOOL_MESSAGES_H
#define QUELT_TOOL_MESSAGES_H

// Everything the tool says. The Japanese texts are Shift_JIS bytes, written out
// as escapes so that the source stays plain ASCII; the decoded text stands beside
// each. Progress and recognition lines go to standard output, failures and
// warnings to standard error.

// Standard error.
constexpr char usageLine[] = "Usage: quelt [d88file]\n";

// "ファイルをオープンできません.\n"  (the file cannot be opened)
constexpr char cannotOpenMessage[] =
    "\x83\x74\x83\x40\x83\x43\x83\x8B\x82\xF0\x83\x49\x81\x5B\x83\x76\x83\x93\x82\xC5\x82\xAB"
    "\x82\xDC\x82\xB9\x82\xF1.\n";

// "メインディスクが見つかりません.\n"  (no main disk was found)
constexpr char noMainDiskMessage[] =
    "\x83\x81\x83\x43\x83\x93\x83\x66\x83\x42\x83\x58\x83\x4E\x82\xAA\x8C\xA9\x82\xC2\x82\xA9"
    "\x82\xE8\x82\xDC\x82\xB9\x82\xF1.\n";

// "シナリオ(ユーザ)ディスクが見つかりません.\n"  (no scenario (user) disk was found)
constexpr char noScenarioDiskMessage[] =
    "\x83\x56\x83\x69\x83\x8A\x83\x49(\x83\x86\x81\x5B\x83\x55)\x83\x66\x83\x42\x83\x58\x83\x4E"
    "\x82\xAA\x8C\xA9\x82\xC2\x82\xA9\x82\xE8\x82\xDC\x82\xB9\x82\xF1.\n";

// "ファイルに書き込めませんので中断します.\n"  (the file cannot be written, so the run stops)
constexpr char cannotWriteMessage[] =
    "\x83\x74\x83\x40\x83\x43\x83\x8B\x82\xC9\x8F\x91\x82\xAB\x8D\x9E\x82\xDF\x82\xDC\x82\xB9"
    "\x82\xF1\x82\xCC\x82\xC5\x92\x86\x92\x66\x82\xB5\x82\xDC\x82\xB7.\n";

// "%s の一部を読み込めませんでした.\n"  (part of %s could not be read)
constexpr char partlyUnreadableFormat[] =
    "%s \x82\xCC\x88\xEA\x95\x94\x82\xF0\x93\xC7\x82\xDD\x8D\x9E\x82\xDF\x82\xDC\x82\xB9\x82\xF1"
    "\x82\xC5\x82\xB5\x82\xBD.\n";

// "標準出力に書き込めませんでした.\n"  (standard output could not be written)
constexpr char stdoutFailedMessage[] =
    "\x95\x57\x8F\x80\x8F\x6F\x97\xCD\x82\xC9\x8F\x91\x82\xAB\x8D\x9E\x82\xDF\x82\xDC\x82\xB9"
    "\x82\xF1\x82\xC5\x82\xB5\x82\xBD.\n";

// Standard output.

// "%d 枚めでデモディスクを認識しました.\n"  (the demo disk was recognised as disk %d)
constexpr char demoDiskFoundFormat[] =
    "%d \x96\x87\x82\xDF\x82\xC5\x83\x66\x83\x82\x83\x66\x83\x42\x83\x58\x83\x4E\x82\xF0\x94\x46"
    "\x8E\xAF\x82\xB5\x82\xDC\x82\xB5\x82\xBD.\n";

// "%d 枚めでメインディスクを認識しました.\n"  (the main disk was recognised as disk %d)
constexpr char mainDiskFoundFormat[] =
    "%d \x96\x87\x82\xDF\x82\xC5\x83\x81\x83\x43\x83\x93\x83\x66\x83\x42\x83\x58\x83\x4E\x82\xF0"
    "\x94\x46\x8E\xAF\x82\xB5\x82\xDC\x82\xB5\x82\xBD.\n";

// "%d 枚めでシナリオ(ユーザ)ディスクを認識しました.\n"  (the scenario (user) disk was recognised as disk %d)
constexpr char scenarioDiskFoundFormat[] =
    "%d \x96\x87\x82\xDF\x82\xC5\x83\x56\x83\x69\x83\x8A\x83\x49(\x83\x86\x81\x5B\x83\x55)\x83\x66"
    "\x83\x42\x83\x58\x83\x4E\x82\xF0\x94\x46\x8E\xAF\x82\xB5\x82\xDC\x82\xB5\x82\xBD.\n";

// "切り出しが完了しました.\n"  (the cutting is complete)
constexpr char completeMessage[] =
    "\x90\xD8\x82\xE8\x8F\x6F\x82\xB5\x82\xAA\x8A\xAE\x97\xB9\x82\xB5\x82\xDC\x82\xB5\x82\xBD.\n";

// Progress lines of the two writers.
constexpr char cuttingSectorsFormat[] = "cutting ... %s\n";
constexpr char cuttingSliceFormat[] = "cutting ... %s offset = %04x size = %04x\n";

// The demo disk carries this text at the start of sector 8 of track 0:
// "Ｖ２モードでしか動かないよ！！" (30 bytes, no NUL counted).
constexpr char demoSignature[] =
    "\x82\x75\x82\x51\x83\x82\x81\x5B\x83\x68\x82\xC5\x82\xB5\x82\xA9\x93\xAE\x82\xA9\x82\xC8"
    "\x82\xA2\x82\xE6\x81\x49\x81\x49";
constexpr int demoSignatureLength = sizeof demoSignature - 1;
static_assert(demoSignatureLength == 30, "the demo signature is 30 bytes");

#endif
