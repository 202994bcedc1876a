// A small attribute inventory written with the datagen writers and loaded
// back, shared by the attribute tests.
#pragma once

#include <filesystem>
#include <string>
#include <unistd.h>

#include "datagen/AttributeWriters.h"
#include "morphology/Attributes.h"

namespace pv::test {

// attribute 1: values 1, 2, 3      attribute 2: values 11, 12
// attribute 3: values 30, 40 (two set words)
// attribute 4: values 7, 8         attribute 5: values 9, 10
// value 45 belongs to attribute 99, which is not defined; every other value
// below 50 belongs to attribute 0, which has no bits.
inline AttributeFileSet FixtureFiles() {
    AttributeFileSet files;
    files.attributes = {MakeAttribute(0, {}),        MakeAttribute(1, {1, 2, 3}),
                        MakeAttribute(2, {11, 12}),  MakeAttribute(3, {30, 40}),
                        MakeAttribute(4, {7, 8}),    MakeAttribute(5, {9, 10})};
    files.valueAttributes.assign(50, 0);
    for (int v : {1, 2, 3}) files.valueAttributes[v] = 1;
    for (int v : {11, 12}) files.valueAttributes[v] = 2;
    for (int v : {30, 40}) files.valueAttributes[v] = 3;
    for (int v : {7, 8}) files.valueAttributes[v] = 4;
    for (int v : {9, 10}) files.valueAttributes[v] = 5;
    files.valueAttributes[45] = 99;
    files.relations = {0, 1, 0};
    files.sp = {17, -4};
    files.implied = {{1, 1, 11}, {2, 1, 12}, {1, 1, 8}};
    return files;
}

// A fresh folder below the test's temporary directory, with a trailing "/".
inline std::string FreshBase(const std::string& name) {
    std::filesystem::path dir = std::filesystem::temp_directory_path() /
                                ("pv_morphology_" + name + "_" + std::to_string(::getpid()));
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    return dir.string() + "/";
}

inline AttributeTables LoadFixture(const std::string& name) {
    std::string base = FreshBase(name);
    WriteAttributeFiles(base, FixtureFiles());
    AttributeTables tables;
    tables.LoadAttributes(base);
    tables.LoadRelationDefinitions(base);
    tables.LoadSP(base);
    tables.LoadImpliedValues(base);
    std::filesystem::remove_all(base);
    return tables;
}

inline AttributeSet SetOf(std::initializer_list<int> bits) {
    AttributeSet set;
    for (int b : bits) set.SetBit(b);
    return set;
}

}  // namespace pv::test
