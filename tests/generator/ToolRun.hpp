#pragma once

#include "generator/CMDTools.hpp"

#include <SFML/System/Err.hpp>

#include <sstream>
#include <string>
#include <vector>

// Runs the command-line tools with the given arguments (the program path is added) and
// collects what they write to sf::err().
struct ToolRun
{
    int result = 0;
    std::string log;
    std::vector<std::string> args;
};

inline ToolRun RunTool(std::vector<std::string> args)
{
    args.insert(args.begin(), "rux");
    std::stringstream captured;
    std::streambuf* old = sf::err().rdbuf(captured.rdbuf());
    ToolRun run;
    run.result = CMDTools::Start(args);
    sf::err().rdbuf(old);
    run.log = captured.str();
    run.args = args;
    return run;
}

// Captures sf::err() for the lifetime of the object.
class ErrCapture
{
public:
    ErrCapture() : m_old(sf::err().rdbuf(m_text.rdbuf())) {}
    ~ErrCapture() { sf::err().rdbuf(m_old); }
    std::string str() const { return m_text.str(); }

private:
    std::stringstream m_text;
    std::streambuf* m_old;
};
