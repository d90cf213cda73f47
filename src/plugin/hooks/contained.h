#pragma once
// The boundary to the game's frames. The stubs and the loader call into C++ from code that has
// no unwind information, so an exception that reached them would end the game: every function
// they call runs its work through these and gives the game a safe answer instead.

template <typename Answer, typename Work>
Answer AnswerOr(Answer fallback, Work work) noexcept {
  try {
    return work();
  } catch (...) {
    return fallback;
  }
}

template <typename Work>
void Contained(Work work) noexcept {
  try {
    work();
  } catch (...) {
  }
}
