#pragma once
// The release of a batch saved with "Release Now": through the host's invoice
// and memo screen, a debit memo for the source customer and a credit memo per
// destination in one host batch, released; the batch goes "P", then "C". A
// batch whose release was interrupted is released again without creating any
// document a second time: what the host already holds for it is kept.

namespace corvena::transfer {

void Update1_SaveCompleted(int first, int second);

}  // namespace corvena::transfer
