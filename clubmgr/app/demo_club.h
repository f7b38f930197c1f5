#pragma once

class TdmLCXS;

// Fills an empty club database with a believable demo club: the club's settings, two
// clubs, feather colours, a dozen lofts with coordinates and a clock or two each, some
// three hundred pigeons (most with electronic rings), four liberation sites with every
// loft's distance, and two flown races with entries, clock times, results and sun rows.
// The same data on every run. Throws DbError.
void fillDemoClub(TdmLCXS& dm);
