// Names and record layouts of the fifteen phrase table files. Each file is
// a data container: a 4-byte byte count, then packed little-endian records.
#pragma once

#include <cstddef>
#include <cstdint>

namespace pv {

inline constexpr const char* kPhrasesFile = "DATA\\PHRS.DAT";
inline constexpr const char* kSynthPhrasesFile = "DATA\\SYNTHPHR.DAT";
inline constexpr const char* kPhraseConditionsFile = "DATA\\PHRCNDS.DAT";
inline constexpr const char* kPhraseSFile = "DATA\\PHRSNCS.DAT";
inline constexpr const char* kPhraseIFile = "DATA\\PHRINHS.DAT";
inline constexpr const char* kPhraseAttributesFile = "DATA\\PHRATTS.DAT";
inline constexpr const char* kPhraseJFile = "DATA\\PHRINHSP.DAT";
inline constexpr const char* kPhraseRelationsFile = "DATA\\PHRRELS.DAT";
inline constexpr const char* kSynthRelationsFile = "DATA\\SPHRRELS.DAT";
inline constexpr const char* kSynthLinksFile = "DATA\\SYNTHLNK.DAT";
inline constexpr const char* kBuildStepsFile = "DATA\\PHRBS.DAT";
inline constexpr const char* kBuildConditionsFile = "DATA\\PHRBSCND.DAT";
inline constexpr const char* kBuildAssignmentsFile = "DATA\\PHRBSASN.DAT";
inline constexpr const char* kBuildSlotConditionsFile = "DATA\\PHRBSSPCN.DAT";
inline constexpr const char* kPhrasePFile = "DATA\\PHRSPAS.DAT";

constexpr std::size_t kPhraseRecordSize = 127;
constexpr std::size_t kSynthPhraseRecordSize = 4;
constexpr std::size_t kPhraseConditionRecordSize = 17;
constexpr std::size_t kPhraseSRecordSize = 17;
constexpr std::size_t kPhraseIRecordSize = 13;
constexpr std::size_t kPhraseAttributeRecordSize = 9;
constexpr std::size_t kPhraseJRecordSize = 9;
constexpr std::size_t kPhraseRelationRecordSize = 15;
constexpr std::size_t kSynthRelationRecordSize = 15;
constexpr std::size_t kSynthLinkRecordSize = 12;
constexpr std::size_t kBuildStepRecordSize = 145;
constexpr std::size_t kBuildConditionRecordSize = 13;
constexpr std::size_t kBuildAssignmentRecordSize = 17;
constexpr std::size_t kBuildSlotConditionRecordSize = 17;
constexpr std::size_t kPhrasePRecordSize = 14;

// Length-prefixed UTF-8 texts: one length byte, then this much room.
constexpr std::size_t kPhraseNameRoom = 100;
constexpr std::size_t kBuildText1Room = 100;
constexpr std::size_t kBuildText2Room = 30;

// A byte count above this empties the table.
constexpr int64_t kMaxPhraseTableBytes = 20000000;

// Constituent slots of one rule. Each constituent covers at least one of
// the 70 analysed window positions, so a rule with more slots could never
// match; records naming a higher slot are ignored.
constexpr int32_t kMaxPhraseSlots = 70;

// Scores and weights are stored as integer thousandths.
constexpr double kPhraseScoreScale = 1000.0;

}  // namespace pv
