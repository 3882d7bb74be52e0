#pragma once
// The screen scripts the harness's clerks run: payments on the scaled national
// account, line edits of shared batches, and hostile or random input.

#include <random>
#include <string>
#include <vector>

namespace corvena::stress {

inline constexpr const char* kParent = "SCALE-PARENT";

class Random {
 public:
  explicit Random(unsigned seed) : engine_(seed) {}
  int upTo(int n) { return std::uniform_int_distribution<int>(1, n)(engine_); }
  bool chance(int percent) { return upTo(100) <= percent; }
  double between(double low, double high) {
    return std::uniform_real_distribution<double>(low, high)(engine_);
  }
  // An amount in cents, "0.01" to the given whole units.
  std::string amount(int units);

 private:
  std::mt19937 engine_;
};

// A value as one script word, quoted and escaped.
std::string quoted(const std::string& value);

// A new payment of the parent applying to `picks` lines among the first
// `window`, each paid in full or in part, then saved.
std::string paymentScript(Random& rnd, const std::string& ref, int picks, int window);
// A new payment paying `amount` on the given line, held.
std::string partPaymentScript(const std::string& ref, int lineNumber, const std::string& amount);
// A released credit memo of the parent, entered in the host's invoice screen.
std::string parentCreditScript(const std::string& ref, const std::string& amount);
// The parent's released credit memo moved to two children, half each, released.
std::string transferScript(const std::string& creditRef, const std::string& half,
                           const std::string& child1, const std::string& child2);
// The parent's credit applied to `picks` lines among the first `window`, then saved.
std::string creditPaymentScript(Random& rnd, const std::string& creditRef, int picks, int window);
// A new payment paying the first `lines` lines in full ("Pay Document"), then saved.
std::string largePaymentScript(const std::string& ref, int lines);
// Recalls the batch and changes one line's amount, or now and then deletes the batch.
std::string lineEditScript(Random& rnd, const std::string& batch, int window);
std::string deleteScript(const std::string& batch);
// Recalls the batch and saves it with "Release Now".
std::string releaseScript(const std::string& batch);
// Recalls the released batch and reverses it ("Reverse Batch...").
std::string reverseScript(const std::string& batch);

// Values a hostile or careless clerk types.
const std::vector<std::string>& hostileValues();
// Every field of the screen given the value, then a save.
std::string hostileScript(const std::vector<std::string>& fields, const std::string& value,
                          const std::string& prelude);
// Lines of random commands, controls, values and bytes.
std::string fuzzScript(Random& rnd, const std::vector<std::string>& controls, int lines);

}  // namespace corvena::stress
