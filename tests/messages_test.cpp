// The tool's texts are Shift_JIS bytes. Decoding them with the system's own
// converter, independently of how the tool spells them, must give the intended
// Japanese text.
#include <gtest/gtest.h>

#include <string>

#include "recognition/demo_signature.h"
#include "samples/sample_set.h"
#include "tool/messages.h"

#ifdef _WIN32
#include <windows.h>
#define QUELT_HAVE_DECODER 1
#elif __has_include(<iconv.h>)
#include <iconv.h>
#define QUELT_HAVE_DECODER 1
#endif

namespace {

#if defined(_WIN32)
// Windows knows Shift_JIS as code page 932.
std::string utf8FromShiftJis(const std::string& bytes) {
    constexpr UINT shiftJis = 932;
    int wide = MultiByteToWideChar(shiftJis, MB_ERR_INVALID_CHARS, bytes.data(),
                                   static_cast<int>(bytes.size()), nullptr, 0);
    if (wide == 0) {
        return "<not valid Shift_JIS>";
    }
    std::wstring text(static_cast<size_t>(wide), L'\0');
    MultiByteToWideChar(shiftJis, MB_ERR_INVALID_CHARS, bytes.data(),
                        static_cast<int>(bytes.size()), text.data(), wide);
    int narrow = WideCharToMultiByte(CP_UTF8, 0, text.data(), wide, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(narrow), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), wide, out.data(), narrow, nullptr, nullptr);
    return out;
}
#elif defined(QUELT_HAVE_DECODER)
std::string utf8FromShiftJis(const std::string& bytes) {
    iconv_t converter = iconv_open("UTF-8", "SHIFT_JIS");
    if (converter == reinterpret_cast<iconv_t>(-1)) {
        return "<no Shift_JIS converter>";
    }
    std::string in = bytes;
    std::string out(in.size() * 4, '\0');
    char* inPointer = in.data();
    char* outPointer = out.data();
    size_t inLeft = in.size();
    size_t outLeft = out.size();
    size_t result = iconv(converter, &inPointer, &inLeft, &outPointer, &outLeft);
    iconv_close(converter);
    if (result == static_cast<size_t>(-1)) {
        return "<not valid Shift_JIS>";
    }
    out.resize(out.size() - outLeft);
    return out;
}
#endif

struct Text {
    const char* bytes;
    const char* intended;  // UTF-8
};

const Text texts[] = {
    {cannotOpenMessage, u8"ファイルをオープンできません.\n"},
    {noMainDiskMessage, u8"メインディスクが見つかりません.\n"},
    {noScenarioDiskMessage, u8"シナリオ(ユーザ)ディスクが見つかりません.\n"},
    {cannotWriteMessage, u8"ファイルに書き込めませんので中断します.\n"},
    {partlyUnreadableFormat, u8"%s の一部を読み込めませんでした.\n"},
    {stdoutFailedMessage, u8"標準出力に書き込めませんでした.\n"},
    {demoDiskFoundFormat, u8"%d 枚めでデモディスクを認識しました.\n"},
    {mainDiskFoundFormat, u8"%d 枚めでメインディスクを認識しました.\n"},
    {scenarioDiskFoundFormat, u8"%d 枚めでシナリオ(ユーザ)ディスクを認識しました.\n"},
    {completeMessage, u8"切り出しが完了しました.\n"},
    {demoSignature, u8"Ｖ２モードでしか動かないよ！！"},
};

TEST(Messages, ShiftJisBytesDecodeToTheIntendedText) {
#ifdef QUELT_HAVE_DECODER
    for (const Text& text : texts) {
        EXPECT_EQ(utf8FromShiftJis(text.bytes), text.intended);
    }
#else
    GTEST_SKIP() << "no Shift_JIS decoder on this platform";
#endif
}

// The test disks carry the signature as the set's recipe spells it.
TEST(Messages, DemoSignatureIsTheThirtyBytesOnTheDisk) {
    const auto& expected = d88build::kDemoSignature;
    ASSERT_EQ(expected.size(), static_cast<size_t>(demoSignatureLength));
    EXPECT_EQ(std::string(demoSignature), std::string(expected.begin(), expected.end()));
}

}  // namespace
