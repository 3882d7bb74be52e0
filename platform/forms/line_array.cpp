#include "platform/forms/line_array.h"

#include <algorithm>
#include <cstring>
#include <iterator>

#include "platform/forms/runtime_error.h"

namespace corvena::forms {

LineArray::LineArray(std::vector<RecordRef> records) : records_(std::move(records)) {
  for (const auto& r : records_) {
    offsets_.push_back(width_);
    width_ += r.layout->size();
  }
}

std::vector<char> LineArray::capture() const {
  std::vector<char> image(width_);
  for (std::size_t r = 0; r < records_.size(); ++r)
    std::memcpy(image.data() + offsets_[r], records_[r].data, records_[r].layout->size());
  return image;
}

void LineArray::restore(const std::vector<char>& image) const {
  for (std::size_t r = 0; r < records_.size(); ++r)
    std::memcpy(records_[r].data, image.data() + offsets_[r], records_[r].layout->size());
}

RecordRef LineArray::view(const std::vector<char>& image, std::size_t r) const {
  return RecordRef(const_cast<char*>(image.data()) + offsets_.at(r), records_.at(r).layout);
}

int LineArray::first() {
  if (lines_->empty()) {
    pos_ = -1;
    return kLineEnd;
  }
  setPosition(0);
  return kLineOk;
}

int LineArray::next() {
  if (pos_ < 0 || pos_ + 1 >= static_cast<int>(lines_->size())) return kLineEnd;
  setPosition(pos_ + 1);
  return kLineOk;
}

void LineArray::setPosition(int pos) {
  if (pos < 0 || pos >= static_cast<int>(lines_->size())) {
    pos_ = -1;
    return;
  }
  pos_ = pos;
  restore((*lines_)[pos_].data);
}

void LineArray::update() {
  if (pos_ < 0) throw RuntimeError(kErrBadHandle, "No current line to update");
  Line& l = own()[pos_];
  std::vector<char> now = capture();
  adjustSums(&l.data, &now);
  l.data = std::move(now);
  if (l.state == kLineUnchanged) l.state = kLineUpdated;
}

void LineArray::insert() {
  auto& lines = own();
  lines.push_back(Line{capture(), {}, kLineInserted});
  adjustSums(nullptr, &lines.back().data);
  pos_ = static_cast<int>(lines.size()) - 1;
}

int LineArray::remove() {
  if (pos_ < 0) return lines_->empty() ? kLineEnd : kLineOk;
  auto& lines = own();
  adjustSums(&lines[pos_].data, nullptr);
  if (!lines[pos_].original.empty()) deleted_.push_back(lines[pos_].original);
  lines.erase(lines.begin() + pos_);
  if (lines.empty()) {
    pos_ = -1;
    return kLineEnd;
  }
  setPosition(std::min(pos_, static_cast<int>(lines.size()) - 1));
  return kLineOk;
}

void LineArray::clear() {
  forgetSums();
  for (const auto& l : *lines_)
    if (!l.original.empty()) deleted_.push_back(l.original);
  lines_ = std::make_shared<std::deque<Line>>();
  pos_ = -1;
}

double LineArray::sum(std::size_t r, const FieldDesc& field) {
  for (const auto& kept : sums_)
    if (kept.record == r && kept.field == &field) return kept.value;
  double total = 0;
  for (const auto& l : *lines_) total += fieldFloat(view(l.data, r), field);
  sums_.push_back({r, &field, total});
  return total;
}

void LineArray::adjustSums(const std::vector<char>* gone, const std::vector<char>* come) {
  for (auto& kept : sums_) {
    if (gone) kept.value -= fieldFloat(view(*gone, kept.record), *kept.field);
    if (come) kept.value += fieldFloat(view(*come, kept.record), *kept.field);
  }
}

int LineArray::state() const {
  return pos_ < 0 ? kLineEnd : (*lines_)[pos_].state;
}

void LineArray::setState(int state) {
  if (pos_ < 0) throw RuntimeError(kErrBadHandle, "No current line");
  own()[pos_].state = state;
}

void LineArray::setKey(std::size_t segment, SortKey key) {
  if (keys_.size() <= segment) keys_.resize(segment + 1);
  keys_[segment] = key;
}

namespace {

std::size_t trimmedLength(const char* p, std::size_t n) {
  while (n && (p[n - 1] == ' ' || p[n - 1] == 0)) --n;
  return n;
}

template <class T>
int compareAs(const char* a, const char* b) {
  T x, y;
  std::memcpy(&x, a, sizeof x);
  std::memcpy(&y, b, sizeof y);
  return x < y ? -1 : y < x ? 1 : 0;
}

int compareDates(const char* a, const char* b) {
  Date x, y;
  std::memcpy(&x, a, sizeof x);
  std::memcpy(&y, b, sizeof y);
  return x.serial() < y.serial() ? -1 : x.serial() > y.serial() ? 1 : 0;
}

// One line's view for sorting: its data and the trimmed lengths of its text keys.
struct SortEntry {
  std::size_t line;
  const char* data;
  const std::size_t* lengths;
};

struct Segment {
  std::size_t offset;
  const FieldDesc* field;
  bool ascending;
};

int compareSegment(const SortEntry& a, const SortEntry& b, const Segment& s, std::size_t i) {
  const char* x = a.data + s.offset;
  const char* y = b.data + s.offset;
  switch (s.field->type) {
    case FieldType::Text: {
      // Trailing blanks do not count: compare as the database does.
      const int c = std::memcmp(x, y, std::min(a.lengths[i], b.lengths[i]));
      return c != 0 ? c : (a.lengths[i] < b.lengths[i] ? -1 : a.lengths[i] > b.lengths[i] ? 1 : 0);
    }
    case FieldType::Date:
      return compareDates(x, y);
    case FieldType::Float:
      return compareAs<double>(x, y);
    case FieldType::Int16:
      return compareAs<std::int16_t>(x, y);
  }
  return 0;
}

}  // namespace

void LineArray::sort() {
  std::vector<Segment> segs;
  for (const auto& k : keys_)
    if (k.field) segs.push_back({offsets_.at(k.record) + k.field->offset, k.field, k.ascending});
  if (segs.empty()) return;
  auto& lines = own();
  std::vector<std::size_t> lengths(lines.size() * segs.size());
  std::vector<SortEntry> entries;
  entries.reserve(lines.size());
  for (std::size_t i = 0; i < lines.size(); ++i) {
    SortEntry e{i, lines[i].data.data(), lengths.data() + i * segs.size()};
    for (std::size_t k = 0; k < segs.size(); ++k)
      if (segs[k].field->type == FieldType::Text)
        lengths[i * segs.size() + k] = trimmedLength(e.data + segs[k].offset, segs[k].field->width);
    entries.push_back(e);
  }
  std::stable_sort(entries.begin(), entries.end(), [&](const SortEntry& a, const SortEntry& b) {
    for (std::size_t i = 0; i < segs.size(); ++i) {
      const int c = compareSegment(a, b, segs[i], i);
      if (c != 0) return segs[i].ascending ? c < 0 : c > 0;
    }
    return false;
  });
  std::vector<Line> sorted;
  sorted.reserve(lines.size());
  for (const auto& e : entries) sorted.push_back(std::move(lines[e.line]));
  lines.assign(std::make_move_iterator(sorted.begin()), std::make_move_iterator(sorted.end()));
  pos_ = -1;
}

void LineArray::markSaved() {
  for (auto& l : own()) {
    l.original = l.data;
    l.state = kLineUnchanged;
  }
  deleted_.clear();
}

void LineArray::loadImages(std::vector<std::vector<char>> images) {
  forgetSums();
  auto lines = std::make_shared<std::deque<Line>>();
  deleted_.clear();
  for (auto& img : images) {
    Line l{img, img, kLineUnchanged};
    lines->push_back(std::move(l));
  }
  lines_ = std::move(lines);
  pos_ = -1;
}

void LineArray::restoreSnapshot(Snapshot s) {
  forgetSums();
  lines_ = std::move(s.lines);
  deleted_ = std::move(s.deleted);
  pos_ = s.pos;
}

}  // namespace corvena::forms
