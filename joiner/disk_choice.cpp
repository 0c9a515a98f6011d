// IMAGE@LIST: the disks of one image that a join takes.
#include "joiner/disk_choice.h"

namespace {
constexpr char listSeparator = ',';
constexpr char rangeMark = '-';

// A number from 1 to `largest` at `at`, which moves past its digits; 0 for none.
int32_t numberAt(const std::string& text, std::size_t& at, int32_t largest) {
    int64_t value = 0;
    const std::size_t start = at;
    while (at < text.size() && text[at] >= '0' && text[at] <= '9' && value <= largest) {
        value = value * 10 + (text[at] - '0');
        ++at;
    }
    return at > start && value <= largest ? static_cast<int32_t>(value) : 0;
}

// One item of the list, FIRST or FIRST-LAST, ending at `end`.
bool parseItem(const std::string& item, int32_t largest, std::vector<int32_t>& disks) {
    std::size_t at = 0;
    const int32_t first = numberAt(item, at, largest);
    int32_t last = first;
    if (at < item.size() && item[at] == rangeMark) {
        ++at;
        last = numberAt(item, at, largest);
    }
    if (first == 0 || last < first || at != item.size()) {
        return false;
    }
    for (int32_t disk = first; disk <= last; ++disk) {
        disks.push_back(disk);
    }
    return true;
}
}  // namespace

bool parseDiskList(const std::string& list, int32_t largest, std::vector<int32_t>& disks) {
    std::size_t start = 0;
    while (true) {
        const std::size_t end = list.find(listSeparator, start);
        const std::size_t stop = end == std::string::npos ? list.size() : end;
        if (!parseItem(list.substr(start, stop - start), largest, disks)) {
            return false;
        }
        if (end == std::string::npos) {
            return true;
        }
        start = end + 1;
    }
}

DiskChoice diskChoiceOf(const std::string& operand, int32_t largest,
                        const std::function<bool(const std::string&)>& namesFile) {
    DiskChoice choice;
    choice.path = operand;
    const std::size_t mark = operand.rfind(diskChoiceMark);
    if (mark == std::string::npos || mark == 0 || namesFile(operand)) {
        return choice;
    }
    const std::string path = operand.substr(0, mark);
    const std::string list = operand.substr(mark + 1);
    std::vector<int32_t> disks;
    if (parseDiskList(list, largest, disks)) {
        choice.path = path;
        choice.disks = disks;
    } else if (namesFile(path)) {
        choice.path = path;
        choice.listRefused = true;
        choice.list = list;
    }
    return choice;
}
