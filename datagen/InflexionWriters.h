// Writers of the inflection groups and endings ("Data/INFLGR.DAT",
// "Data/INFLGRE.DAT") and of the inflection details ("DATA\INFLDETS.DAT"):
// the inverse of the loaders in morphology/InflexionLoaders.cpp.
#pragma once

#include <string>
#include <vector>

#include "morphology/WordInflexions.h"

namespace pv {

// Upper-case hexadecimal of the UTF-8 bytes of text, behind its length
// byte, in a field of 81 bytes. Refuses a text over 40 UTF-8 bytes or one
// holding a lone surrogate.
std::string EncodeHexText(std::u16string_view text);

// The record payloads (after the byte count) of both group files: every
// group, then every ending of every group in the order given.
std::string EncodeInflexionGroups(const std::vector<InflexionGroup>& groups);
std::string EncodeInflexionEndings(const std::vector<InflexionGroup>& groups);
std::string EncodeInflexionDetails(const std::vector<InflexionDetail>& details);

// The files below base (the DATA folder is created).
void WriteInflexionGroups(const std::string& base, const std::vector<InflexionGroup>& groups);
void WriteInflexionDetails(const std::string& base, const std::vector<InflexionDetail>& details);

}  // namespace pv
