#pragma once
// The release of a batch saved with "Release Now": a debit memo through the
// host's invoice and memo screen for a credit, then one host payment per
// customer through its payment application screen, each applied to its
// documents; the header goes "O" -> "P" -> "C" with the host batch number.

#include <string>
#include <string_view>

#include "runtime/host_screen.h"
#include "runtime/tables/records.h"

namespace corvena::payapp {

void Update1_SaveCompleted(int first, int second);
// Starts the host program for a release; when it does not start, the two
// boxes say so and the release's status log closes.
bool HostScreenStarted(std::unique_ptr<runtime::HostScreen>& screen, const char* program);
// Abandons what the host screen holds of its batch, unsaved, and closes it.
void AbandonHostBatch(const std::unique_ptr<runtime::HostScreen>& screen);
// Give up on the host screen of the phase: "STARTUP", "NOTFATAL" or "FATAL".
void HandlePaymentAppError(std::string_view severity);
void HandleDebitMemoError(std::string_view severity);

// The debit memo of a credit, entered in the invoice and memo screen.
void EnterDebitMemo();
// Closing the open payment document and opening the next.
void FinishPendingDocument(const std::string& level);
bool StartCustomerPayment();
void PostParentRemainder();
void SelectCreditDocument();
// Types the amount (and discount) against the document's row of the host grid.
bool ApplyToDocument(const Text<10>& refnbr, double amount, double discount);

// The host batch the payment phase builds, kept on the header from its first
// saved document, so an interrupted release can be found again.
void NoteReleaseBatch(const std::string& hostBatch);
// The unreleased documents of a host batch and the batch itself, in one transaction.
void DeleteUnreleasedHostBatch(const std::string& hostBatch);
// The unreleased host batch goes, and the header no longer points at it.
void RemoveHostBatch(const std::string& hostBatch);
// The header "P": the credit's debit memo is released in AR.
void MarkPartlyReleased();
// When AR has released the host batch: in one transaction the header closes
// with its number and each applied line records the host payment that paid it.
bool CloseIfReleased(const std::string& hostBatch);
// A batch whose release was interrupted: its unreleased host batch is removed
// so the batch can be released again, or, when the host released it, the
// header is closed (true). A recalled batch's clerk is told which.
bool RecoverInterruptedRelease(bool recalled);

// "N" or "D" followed by the reference, cut to its last 9 characters.
std::string PrefixedReference(char letter, const std::string& reference);

}  // namespace corvena::payapp
