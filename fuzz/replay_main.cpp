// Feeds every file of the given folders (or the given files) to the fuzz target once, in a
// fixed order, so that the committed seeds run under CTest with any compiler and sanitizer.
// libFuzzer supplies its own main() instead when the target is built with it.
#include "fuzz_check.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <vector>

namespace fs = std::filesystem;

namespace {

std::vector<std::uint8_t> readBytes(const fs::path &path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

} // namespace

int main(int argc, char **argv)
{
    std::vector<fs::path> inputs;
    for (int i = 1; i < argc; ++i) {
        const fs::path arg(argv[i]);
        if (fs::is_directory(arg)) {
            for (const auto &entry : fs::recursive_directory_iterator(arg)) {
                if (entry.is_regular_file())
                    inputs.push_back(entry.path());
            }
        } else if (fs::is_regular_file(arg)) {
            inputs.push_back(arg);
        } else {
            std::cerr << "no such file or folder: " << arg << '\n';
            return 2;
        }
    }
    // A wrong path in the test's registration must not pass as a run over nothing.
    if (inputs.empty()) {
        std::cerr << "usage: " << argv[0] << " corpus-folder-or-file...  (found no inputs)\n";
        return 2;
    }
    std::sort(inputs.begin(), inputs.end());
    for (const auto &path : inputs) {
        // Written before the run, so that a crash names its input.
        std::cerr << "input: " << path.string() << '\n';
        const auto bytes = readBytes(path);
        LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
    }
    std::cout << "replayed " << inputs.size() << " inputs\n";
    return 0;
}
