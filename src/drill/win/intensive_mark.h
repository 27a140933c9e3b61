#pragma once
// The intensive mark: sequential, by-set and chapter practice put their current question on
// the intensive-practice list by posting kaoti.bz = "t" on its row, after the learner says
// yes. The list itself belongs to the intensive-practice window.
class TADOQuery;

inline constexpr const wchar_t* kAddToIntensiveQuestion = L"确实要将此题加入到强化练习题库吗？";

// Asks, and on Yes marks the current row of `query` (already marked or not, the same); when
// the query shows no question, a Yes changes nothing. True when a row was marked. A mark
// the database refuses raises its error with the query back in browse state, nothing pending.
bool AddToIntensive(TADOQuery* query);
