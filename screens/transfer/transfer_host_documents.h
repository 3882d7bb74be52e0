#pragma once
// Entering documents in the host's invoice and memo screen as a clerk would:
// the release's host screen, one document header, one line, finishing a
// document, and giving the screen up when a host call fails.

#include <string>
#include <string_view>

#include "runtime/host_error_report.h"
#include "runtime/host_screen.h"

namespace corvena::transfer {

// What the release fills before each document and each line.
struct DocumentEntry {
  std::string type;  // "Debit Memo" / "Credit Memo"
  std::string customer;
  double amount = 0;
  // Marks the documents of one transfer batch, so a release run again finds them.
  std::string description;
  std::string account, company, extRef, project;
  double qty = 0;
  std::string sub, task, taxCat, taxId;
  double lineAmount = 0;
  std::string lineDesc, unitDesc;
  double unitPrice = 0;
};

// Errors of host calls: code 2105 skips the step; anything else gives the screen up.
const runtime::HostErrorReport& TransferErrorReport();
// A host call on the screen `name` ("0801000.exe"): the screen, or the start-up error raised.
std::unique_ptr<runtime::HostScreen> StartHostScreen(std::string_view name);
// The release's host screen, started on a new batch.
void StartReleaseScreen();
void EnterHeader(const DocumentEntry& entry);
void EnterLine(const DocumentEntry& entry);
// Saves the document at the lines' total; its reference number.
std::string FinishDocument();
// "NOTFATAL" abandons the host batch's pending work first; the three classes
// drop the release's host screen and close the status log.
void AbortTransfer(std::string_view severity);

}  // namespace corvena::transfer
