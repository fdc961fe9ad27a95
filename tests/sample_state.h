#pragma once
// The ysave.dab most tests start from: 56 start-ups, 312:05:48 in all, 1200
// applications, the size setting `size` (4000000 unless given) and the line
// ends given (the program writes CR LF; older files and editors may hold LF
// alone).

#include <string>

inline std::string sampleState(const std::string& eol = "\n", const std::string& size = "4000000")
{
    return "56   =Uppstarter" + eol + "312   =Timmar totalt" + eol + "05   =Minuter totalt" + eol +
           "48   =Sekunder totalt" + eol + "1200   =Applikationer totalt" + eol + size + eol + eol +
           "Slut" + eol;
}
