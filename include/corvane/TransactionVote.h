// TransactionVote: how an object context's transaction was last voted.
#pragma once

namespace corvane {

enum class TransactionVote {
  None,      // nobody voted
  Complete,  // SetComplete
  Abort,     // SetAbort
};

}  // namespace corvane
