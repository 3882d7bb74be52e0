#include "screens/payapp/payapp_sort.h"

#include "screens/payapp/payapp_grid.h"
#include "screens/payapp/payapp_state.h"

namespace corvena::payapp {

using namespace corvena::host;

namespace {

constexpr int kTextType = 0;
constexpr int kDateType = 3;
constexpr int kAscending = -1;

template <std::size_t N>
void textKey(LineArrayHandle array, int segment, XDetail& work, const Text<N>& field) {
  mkeyoffset(array, segment, work, &field, kTextType, N, kAscending);
}

void dateKey(LineArrayHandle array, int segment, XDetail& work, const Date& field) {
  mkeyoffset(array, segment, work, &field, kDateType, sizeof field, kAscending);
}

void setKeys(LineArrayHandle array, XDetail& work, char order) {
  switch (order) {
    case 'D':
      textKey(array, 1, work, work.CustId);
      dateKey(array, 2, work, work.DueDate);
      break;
    case 'R':
      textKey(array, 1, work, work.CustId);
      textKey(array, 2, work, work.RefNbr);
      break;
    case 'T':
      textKey(array, 1, work, work.CustId);
      textKey(array, 2, work, work.DocType);
      break;
    case 'A':
      dateKey(array, 1, work, work.DueDate);
      break;
    case 'F':
      textKey(array, 1, work, work.RefNbr);
      break;
    case 'C':
      textKey(array, 1, work, work.DocType);
      break;
    default:
      break;
  }
}

// Copies every line of `from` into `to` through the line records, keeping each line's state.
void copyLines(LineArrayHandle from, const XDetail& fromRecord, LineArrayHandle to,
               XDetail& toRecord) {
  for (int rc = LineArrayFirst(from); rc != NotFound; rc = LineArrayNext(from)) {
    const int state = LineArrayGetState(from);
    toRecord = fromRecord;
    LineArrayInsert(to);
    LineArraySetState(to, state);
  }
}

}  // namespace

void SortDetailLines() {
  auto& a = payapp();
  XDetail work{};
  LineArrayHandle sorted = mopen(work, sizeof work);
  LineArrayRedisplay(a.DetailLines);
  copyLines(a.DetailLines, a.bXDetail, sorted, work);
  setKeys(sorted, work, a.bXHeader.SortOrder.c[0]);
  LineArraySort(sorted);
  LineArrayClear(a.DetailLines);
  LineArrayRedisplay(a.DetailLines);
  copyLines(sorted, work, a.DetailLines, a.bXDetail);
  LineArrayFirst(a.DetailLines);
  LineArrayRedisplay(a.DetailLines);
  LineArrayClose(sorted);
}

int cSortOrder_ValueCheck(std::string& text) {
  auto& a = payapp();
  const std::string order = Text<1>(text).trimmed();
  if (order != a.bXHeader.SortOrder.trimmed()) {
    a.bXHeader.SortOrder = order;
    SortDetailLines();
  }
  return 0;
}

}  // namespace corvena::payapp
