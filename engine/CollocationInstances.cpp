#include "engine/CollocationInstances.h"

#include <algorithm>
#include <exception>

#include "textutil/ErrorReporter.h"
#include "textutil/TextConvert.h"

namespace pv {

namespace {

// The table grows in steps, so that a text's instances rarely reallocate it.
constexpr std::size_t kTableGrowth = 2000;
constexpr std::size_t kFreeListGrowth = 1000;

template <typename T>
void ReserveInSteps(std::vector<T>& list, std::size_t step) {
    if (list.size() == list.capacity()) list.reserve(list.size() + step);
}

}  // namespace

void CollocationInstances::Clear() {
    records_.clear();
    isFree_.clear();
    freeList_.clear();
    baseCount_ = 0;
}

int32_t CollocationInstances::AddCollocation(Collocation record, int32_t position) {
    record.ancestorRecord = ancestorOf_ ? ancestorOf_(record, position) : -1;
    record.position = position;
    if (!freeList_.empty()) {
        const int32_t index = freeList_.back();
        freeList_.pop_back();
        records_[index] = std::move(record);
        isFree_[index] = 0;
        return index;
    }
    ReserveInSteps(records_, kTableGrowth);
    ReserveInSteps(isFree_, kTableGrowth);
    records_.push_back(std::move(record));
    isFree_.push_back(0);
    return Count() - 1;
}

void CollocationInstances::FreeCol(int32_t index) {
    if (index < 0 || index >= Count() || isFree_[index]) return;
    Collocation& record = records_[index];
    record.wordIds.clear();
    record.requiredAttributes.clear();
    record.inheritedGroups.clear();
    record.associatedAttributes.clear();
    record.position = -1;
    try {
        ReserveInSteps(freeList_, kFreeListGrowth);
        freeList_.push_back(index);
        isFree_[index] = 1;
    } catch (const std::exception& error) {
        ShowErrorBox(u"Exception " + Utf8Decode(error.what()) + u" in FreeCol/SetLength(FreeCols)");
    }
}

void CollocationInstances::ReleaseBefore(int32_t shift) {
    for (int32_t index = 0; index < Count(); ++index) {
        Collocation& record = records_[index];
        if (isFree_[index] || record.position < 0) continue;
        if (record.position < shift) FreeCol(index);
        else record.position -= shift;
    }
}

void CollocationInstances::RestoreBaseCount() {
    if (baseCount_ >= Count()) return;
    records_.resize(baseCount_);
    isFree_.resize(baseCount_);
    std::erase_if(freeList_, [this](int32_t index) { return index >= baseCount_; });
}

}  // namespace pv
