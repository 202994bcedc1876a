// Writes the engine fixture into a folder, for tests that run the programs.
// Usage: write_engine_fixture FOLDER
#include <cstdio>
#include <exception>
#include <string>

#include "datagen/EngineFixture.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: write_engine_fixture FOLDER\n");
        return 2;
    }
    std::string base = argv[1];
    if (base.empty() || base.back() != '/') base += '/';
    try {
        pv::WriteEngineFixture(base);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "write_engine_fixture: %s\n", e.what());
        return 1;
    }
    return 0;
}
