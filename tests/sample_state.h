#pragma once
// The ysave.dab most tests start from: 56 start-ups, 312:05:48 in all, 1200
// applications and the size setting 4000000, with the line ends given (the
// program writes CR LF; older files and editors may hold LF alone).

#include <string>

inline std::string sampleState(const std::string& eol = "\n",
                               const std::string& sizeSetting = "4000000", int applications = 1200)
{
    return "56   =Uppstarter" + eol + "312   =Timmar totalt" + eol + "05   =Minuter totalt" + eol +
           "48   =Sekunder totalt" + eol + std::to_string(applications) +
           "   =Applikationer totalt" + eol + sizeSetting + eol + eol + "Slut" + eol;
}
