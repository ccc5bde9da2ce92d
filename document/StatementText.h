#pragma once

#include <string>
#include <string_view>
#include <vector>

// What the statement window sends for the text the user typed: blanks gone
// at both ends, and one trailing ";" gone unless the statement is a PL/SQL
// block (BEGIN, DECLARE) or creates a stored unit (CREATE [OR REPLACE]
// PROCEDURE, FUNCTION, PACKAGE, TRIGGER or TYPE), whose text ends with it.
// Empty when there is nothing to run.
std::string StatementToRun(std::string_view text);

// The statements run in this run of the program, oldest first, stepped
// through from the newest. Kept in memory only: a statement may hold a
// password.
class StatementHistory {
public:
    // A statement run; the same as the newest is not kept twice. Stepping
    // starts again after the newest.
    void Add(const std::string& statement);
    // The one before the current step; false at the oldest.
    bool Older(std::string& statement);
    // The one after; past the newest an empty text, false once there.
    bool Newer(std::string& statement);

private:
    std::vector<std::string> m_arrStatements;
    std::size_t m_nStep = 0;  // m_arrStatements.size(): after the newest
};
