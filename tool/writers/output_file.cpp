#include "tool/writers/output_file.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>

#include "tool/console/console.h"
#include "tool/writers/disk_image.h"
#include "tool/messages.h"

namespace {
std::FILE* createOutputFile(const char* name) {
    if (diskImage.isImageFile(name)) {
        return nullptr;
    }
    return std::fopen(name, "wb");
}

bool writeWhole(std::FILE* out, const uint8_t* bytes, int32_t count) {
    std::size_t wanted = static_cast<std::size_t>(count);
    return std::fwrite(bytes, 1, wanted, out) == wanted && std::fflush(out) == 0;
}

[[noreturn]] void stopOnWriteFailure() {
    printError(cannotWriteMessage);
    std::exit(finishRunOutput(1));
}
}  // namespace

OutputFiles* runOutputFiles = nullptr;

void letWriteLimitsFail() {
#ifdef SIGXFSZ
    std::signal(SIGXFSZ, SIG_IGN);
#endif
}

void SystemOutputFiles::write(const char* name, const uint8_t* bytes, int32_t count) {
    std::FILE* out = createOutputFile(name);
    if (out == nullptr || !writeWhole(out, bytes, count)) {
        stopOnWriteFailure();
    }
    std::fclose(out);
}
