// Copies the file named on its command line to standard output, byte for byte,
// on every system: the tests' cat for pipes, also on Windows, whose type is a
// text command that stops at the first 0x1A.
//
//   quelt_test_cat FILE
#include <cstdio>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fputs("usage: quelt_test_cat FILE\n", stderr);
        return 2;
    }
#ifdef _WIN32
    _setmode(_fileno(stdout), _O_BINARY);
#endif
    std::FILE* file = std::fopen(argv[1], "rb");
    if (file == nullptr) {
        return 1;
    }
    char block[65536];
    std::size_t got = 0;
    while ((got = std::fread(block, 1, sizeof block, file)) > 0) {
        if (std::fwrite(block, 1, got, stdout) != got) {
            return 1;
        }
    }
    std::fclose(file);
    return std::fflush(stdout) == 0 ? 0 : 1;
}
