#pragma once
// The in-memory lines of a grid (or of a keyed work array). A line holds the
// images of one or more records; "current line" operations copy between the
// line and those records (the line records). Every line has a state.

#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "platform/db/record.h"

namespace corvena::forms {

// Line states (and level change states).
inline constexpr int kLineInserted = 1;   // added since the last load or save
inline constexpr int kLineUpdated = 2;    // changed since the last load or save
inline constexpr int kLineDeleted = 3;    // deleted; kept until the save writes it
inline constexpr int kLineUnchanged = 4;  // as loaded or saved

// Results of the walking operations.
inline constexpr int kLineOk = 0;
inline constexpr int kLineEnd = 9;

struct SortKey {
  std::size_t record = 0;  // which of the line's records
  const FieldDesc* field = nullptr;
  bool ascending = true;
};

struct Line {
  std::vector<char> data;      // the record images, one after another
  std::vector<char> original;  // the images as loaded or last saved; empty for a new line
  int state = kLineInserted;
};

class LineArray {
 public:
  explicit LineArray(std::vector<RecordRef> records);

  const std::vector<RecordRef>& records() const { return records_; }
  std::size_t size() const { return lines_->size(); }
  const Line& line(std::size_t i) const { return lines_->at(i); }
  // A line to change in place: the sums are added up again when next asked.
  Line& line(std::size_t i) {
    forgetSums();
    return own().at(i);
  }
  // The sum of a float field of record `r` over the lines. Kept as single
  // lines change, so that paying a long grid line by line stays linear.
  double sum(std::size_t r, const FieldDesc& field);
  // -1 when no line is current.
  int position() const { return pos_; }

  // Make the first / next line current and copy it into the line records.
  int first();
  int next();
  // Make line `pos` current (copying it into the line records); -1 for none.
  void setPosition(int pos);
  // Copy the line records into the current line; an unchanged line becomes updated.
  void update();
  // Append the line records as a new line (state inserted) and make it current.
  void insert();
  // Delete the current line and make the next (else the previous) current;
  // kLineEnd when no line is left. A loaded line is remembered for the save.
  int remove();
  void clear();
  int state() const;
  void setState(int state);

  void setKey(std::size_t segment, SortKey key);
  void clearKeys() { keys_.clear(); }
  // Stable sort by the key segments in segment order; no line is current after.
  void sort();

  // Lines loaded from the database and deleted since: their original images.
  const std::vector<std::vector<char>>& deletedOriginals() const { return deleted_; }
  // After a save: every line unchanged as it stands, no deletions pending.
  void markSaved();
  // Replace all lines with loaded lines (state unchanged).
  void loadImages(std::vector<std::vector<char>> images);

  // The image of record `r` in a line image.
  RecordRef view(const std::vector<char>& image, std::size_t r) const;
  std::vector<char> capture() const;  // the line records as one image
  void restore(const std::vector<char>& image) const;

  // The lines are shared with the snapshot until either changes, so taking
  // one before every entry costs nothing on a long grid.
  struct Snapshot {
    std::shared_ptr<std::deque<Line>> lines;
    std::vector<std::vector<char>> deleted;
    int pos;
  };
  Snapshot snapshot() const { return {lines_, deleted_, pos_}; }
  void restoreSnapshot(Snapshot s);
  // No line changed, none came or went, and the same one is current.
  bool unchangedSince(const Snapshot& s) const { return lines_ == s.lines && pos_ == s.pos; }

 private:
  std::vector<RecordRef> records_;
  std::vector<std::size_t> offsets_;
  std::size_t width_ = 0;
  // A deque, so that deleting lines from the first one on stays linear.
  std::shared_ptr<std::deque<Line>> lines_ = std::make_shared<std::deque<Line>>();
  // The lines to change: a copy of their own while a snapshot shares them.
  std::deque<Line>& own() {
    if (lines_.use_count() > 1) lines_ = std::make_shared<std::deque<Line>>(*lines_);
    return *lines_;
  }
  std::vector<std::vector<char>> deleted_;
  std::vector<SortKey> keys_;
  int pos_ = -1;
  struct KeptSum {
    std::size_t record;
    const FieldDesc* field;
    double value;
  };
  std::vector<KeptSum> sums_;
  void forgetSums() { sums_.clear(); }
  // Moves the kept sums by a line leaving (`gone`) and one arriving (`come`).
  void adjustSums(const std::vector<char>* gone, const std::vector<char>* come);
};

}  // namespace corvena::forms
