// One headless run of a script for the end-to-end tests, in a folder of its own: the script's
// `view NAME`, `texts NAME` and `shot NAME` lines write NAME there, to be read back by name.
// The clock is set to 2027-03-20T17:00:00Z, noon over the Americas that the first view
// faces; the run must end with exit code 0.
#pragma once

#include <gtest/gtest.h>

#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "platform/png.h"
#include "run_program.h"

struct Session {
    // Runs `body` and then "quit" with `home` as the home folder and `state` as the state
    // folder (the build's data and the run's folder when empty).
    explicit Session(const std::string& body, const std::string& home = "",
                     const std::string& state = "") {
        std::string script = "clock 2027-03-20T17:00:00Z\n";
        std::istringstream in(body);
        for (std::string line; std::getline(in, line);) {
            const size_t space = line.find(' ');
            const std::string word = line.substr(0, space);
            if (word == "texts" || word == "view" || word == "shot")
                line = word + " " + folder.file(line.substr(space + 1));
            script += line + "\n";
        }
        run = runScript(folder, script + "quit\n", home, state);
        EXPECT_EQ(run.exitCode, 0) << run.err;
    }
    std::map<std::string, long> view(const std::string& name) const {
        return readView(folder.file(name));
    }
    std::string text(const std::string& name) const { return readText(folder.file(name)); }
    std::vector<Shown> shown(const std::string& name) const {
        return readShown(folder.file(name));
    }
    // The screenshot `name`, 240 × 320 pixels in RGB565.
    std::vector<uint16_t> shot(const std::string& name) const {
        std::vector<uint16_t> pixels;
        int w = 0, h = 0;
        EXPECT_TRUE(platform::readPng565(folder.file(name), &pixels, &w, &h) && w == 240 &&
                    h == 320)
            << name;
        pixels.resize(240 * 320);
        return pixels;
    }
    TempFolder folder;
    ProgramRun run;
};
