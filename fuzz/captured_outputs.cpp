#include "fuzz/captured_outputs.h"

#include <cstring>
#include <string>
#include <utility>

#include "copier/copy_writer.h"
#include "fuzz/fuzz_setup.h"
#include "fuzz/memory_image.h"

namespace fuzzruns {

namespace {

Outputs captured;
bool keepBytes = false;

// A name that would not make a file in the run's own folder: the programs' writer
// would fail on it or write elsewhere.
bool namesAFileHere(const char* name) {
    return name[0] != '\0' && std::strcmp(name, ".") != 0 && std::strcmp(name, "..") != 0 &&
           std::strchr(name, '/') == nullptr;
}

}  // namespace

void keepOutputBytes(bool keep) {
    keepBytes = keep;
}

Outputs takeCapturedOutputs() {
    return std::exchange(captured, {});
}

namespace {
void capture(const char* name, const uint8_t* bytes, int32_t count) {
    if (!namesAFileHere(name)) {
        fuzzsetup::fail(std::string("a run wrote outside its folder: \"") + name + "\"");
    }
    if (std::strcmp(name, fuzzsetup::imageName) == 0) {
        fuzzsetup::fail(std::string("a run wrote over the image it read: ") + name);
    }
    if (count < 0) {
        fuzzsetup::fail("a run wrote " + std::to_string(count) + " bytes to " + name);
    }
    Output& output = captured[name];
    output.size = static_cast<std::uintmax_t>(count);
    output.bytes.clear();
    if (keepBytes) {
        output.bytes.assign(reinterpret_cast<const char*>(bytes), static_cast<std::size_t>(count));
    }
}

}  // namespace

void CapturedOutputFiles::write(const char* name, const uint8_t* bytes, int32_t count) {
    capture(name, bytes, count);
}

CopyWriteResult CapturedCopies::write(const std::string& target, const uint8_t* bytes,
                                      int32_t count, const CopyWriteOptions&) {
    capture(target.c_str(), bytes, count);
    CopyWriteResult result;
    result.written = true;
    return result;
}

}  // namespace fuzzruns
