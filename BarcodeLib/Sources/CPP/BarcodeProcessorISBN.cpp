#include "BarcodeProcessorISBN.h"

#include <algorithm>
#include <cstring>
#include <initializer_list>
#include <iterator>
#include <span>

#include "BarcodeEANUPCText.h"
#include "BarcodeGS1CheckSum.h"
#include "BarcodeText.h"

namespace Strivelo {

namespace {

constexpr const char* kOCRBFont = "OCRB";

// The ISBN range table of the International ISBN Agency, from its range
// message of 13 November 2022, all groups of prefixes 978 and 979 that have
// publisher ranges (978-611, 978-99902 and 978-99951 have none). Per prefix,
// the lengths of its registration groups: each range "first-last" holds the
// groups of as many digits as its bounds have. Per group, its publisher
// ranges, ascending, each in as many digits as the publishers of the range
// have; the message's unassigned ranges are not listed.
struct ISBNGroupRanges {
    const char* group;
    const char* ranges;
};

constexpr ISBNGroupRanges kISBN978Groups[] = {
    {"0",
     "00-19 200-227 2280-2289 229-368 3690-3699 370-638 6390-6397 6398000-6399999 640-644 "
     "6450000-6459999 646-647 6480000-6489999 649-654 6550-6559 656-699 7000-8499 85000-89999 "
     "900000-949999 9500000-9999999"},
    {"1",
     "000-009 01-02 030-034 0350-0399 04-06 0700-0999 100-397 3980-5499 55000-64999 6500-6799 "
     "68000-68599 6860-7139 714-716 7170-7319 7320000-7399999 74000-77499 7750000-7753999 "
     "77540-77639 7764000-7764999 77650-77699 7770000-7782999 77830-78999 7900-7999 80000-80049 "
     "80050-80499 80500-83799 8380000-8384999 83850-86719 8672-8675 86760-86979 869800-915999 "
     "9160000-9165059 916506-916869 9168700-9169079 916908-919599 9196000-9196549 919655-972999 "
     "9730-9877 987800-991149 9911500-9911999 991200-998989 9989900-9999999"},
    {"2",
     "00-19 200-349 35000-39999 400-489 490000-494999 495-495 4960-4966 49670-49699 497-699 "
     "7000-8399 84000-89999 900000-919799 91980-91980 919810-919942 9199430-9199689 "
     "919969-949999 9500000-9999999"},
    {"3",
     "00-02 030-033 0340-0369 03700-03999 04-19 200-699 7000-8499 85000-89999 900000-949999 "
     "9500000-9539999 95400-96999 9700000-9849999 98500-99999"},
    {"4", "00-19 200-699 7000-8499 85000-89999 900000-949999 9500000-9999999"},
    {"5",
     "00000-00499 0050-0099 01-19 200-420 4210-4299 430-430 4310-4399 440-440 4410-4499 450-603 "
     "6040000-6049999 605-699 7000-8499 85000-89999 900000-909999 91000-91999 9200-9299 "
     "93000-94999 9500000-9500999 9501-9799 98000-98999 9900000-9909999 9910-9999"},
    {"600", "00-09 100-499 5000-8999 90000-98679 9868-9929 993-995 99600-99999"},
    {"601", "00-19 200-699 7000-7999 80000-84999 85-99"},
    {"602",
     "00-06 0700-1399 14000-14999 1500-1699 17000-19999 200-499 50000-53999 5400-5999 "
     "60000-61999 6200-6999 70000-74999 7500-9499 95000-99999"},
    {"603", "00-04 05-49 500-799 8000-8999 90000-99999"},
    {"604", "0-4 50-89 900-979 9800-9999"},
    {"605",
     "00-02 030-039 04-05 06000-06999 07-09 100-199 2000-2399 240-399 4000-5999 60000-74999 "
     "7500-7999 80000-89999 9000-9999"},
    {"606", "000-099 10-49 500-799 8000-9099 910-919 92000-95999 9600-9749 975-999"},
    {"607", "00-39 400-592 59300-59999 600-749 7500-9499 95000-99999"},
    {"608", "0-0 10-19 200-449 4500-6499 65000-69999 7-9"},
    {"609", "00-39 400-799 8000-9499 95000-99999"},
    {"612", "00-29 300-399 4000-4499 45000-49999 5000-5149"},
    {"613", "0-9"},
    {"614", "00-39 400-799 8000-9499 95000-99999"},
    {"615", "00-09 100-499 5000-7999 80000-89999"},
    {"616", "00-19 200-699 7000-8999 90000-99999"},
    {"617", "00-49 500-699 7000-8999 90000-99999"},
    {"618", "00-19 200-499 5000-7999 80000-99999"},
    {"619", "00-14 150-699 7000-8999 90000-99999"},
    {"620", "0-9"},
    {"621", "00-29 400-599 8000-8999 95000-99999"},
    {"622", "00-10 200-374 5200-7999 92500-99999"},
    {"623", "00-09 170-499 5250-8799 88000-99999"},
    {"624", "00-04 200-249 5000-6449 94500-99999"},
    {"625", "00-00 365-442 44300-44499 445-449 6350-7793 77940-77949 7795-8499"},
    {"626", "00-04 300-499 7000-7999 95000-99999"},
    {"627", "30-31 500-524 7500-7999"},
    {"628", "00-09 500-549 7500-8499 95000-99999"},
    {"629", "00-02 470-499 7500-7999 96500-99999"},
    {"630", "300-349 6500-6849"},
    {"65",
     "00-01 250-299 300-302 5000-5129 5350-6149 80000-81824 84500-89999 900000-902449 "
     "990000-999999"},
    {"7", "00-09 100-499 5000-7999 80000-89999 900000-999999"},
    {"80", "00-19 200-699 7000-8499 85000-89999 900000-998999 99900-99999"},
    {"81", "00-19 200-699 7000-8499 85000-89999 900000-999999"},
    {"82", "00-19 200-689 690000-699999 7000-8999 90000-98999 990000-999999"},
    {"83", "00-19 200-599 60000-69999 7000-8499 85000-89999 900000-999999"},
    {"84",
     "00-10 1100-1199 120000-129999 1300-1399 140-149 15000-19999 200-699 7000-8499 85000-89999 "
     "9000-9199 920000-923999 92400-92999 930000-949999 95000-96999 9700-9999"},
    {"85",
     "00-19 200-454 455000-455299 45530-45599 456-528 52900-53199 5320-5339 534-539 54000-54029 "
     "54030-54039 540400-540499 54050-54089 540900-540999 54100-54399 5440-5479 54800-54999 "
     "5500-5999 60000-69999 7000-8499 85000-89999 900000-924999 92500-94499 9450-9599 96-97 "
     "98000-99999"},
    {"86", "00-29 300-599 6000-7999 80000-89999 900000-999999"},
    {"87", "00-29 400-649 7000-7999 85000-94999 970000-999999"},
    {"88",
     "00-19 200-311 31200-31499 315-318 31900-32299 323-326 3270-3389 339-360 3610-3629 363-548 "
     "5490-5549 555-599 6000-8499 85000-89999 900000-909999 910-926 9270-9399 940000-947999 "
     "94800-99999"},
    {"89", "00-24 250-549 5500-8499 85000-94999 950000-969999 97000-98999 990-999"},
    {"90", "00-19 200-499 5000-6999 70000-79999 800000-849999 8500-8999 90-90 94-94"},
    {"91", "0-1 20-49 500-649 7000-8199 85000-94999 970000-999999"},
    {"92", "0-5 60-79 800-899 9000-9499 95000-98999 990000-999999"},
    {"93", "00-09 100-499 5000-7999 80000-95999 960000-999999"},
    {"94", "000-599 6000-8999 90000-99999"},
    {"950", "00-49 500-899 9000-9899 99000-99999"},
    {"951", "0-1 20-54 550-889 8900-9499 95000-99999"},
    {"952",
     "00-19 200-499 5000-5999 60-64 65000-65999 6600-6699 67000-69999 7000-7999 80-94 9500-9899 "
     "99000-99999"},
    {"953",
     "0-0 10-14 150-479 48000-49999 500-500 50100-50999 51-54 55000-59999 6000-9499 95000-99999"},
    {"954", "00-28 2900-2999 300-799 8000-8999 90000-92999 9300-9999"},
    {"955",
     "0000-1999 20-33 3400-3549 35500-35999 3600-3799 38000-38999 3900-4099 41000-44999 "
     "4500-4999 50000-54999 550-710 71100-71499 7150-9499 95000-99999"},
    {"956", "00-08 09000-09999 10-19 200-599 6000-6999 7000-9999"},
    {"957",
     "00-02 0300-0499 05-19 2000-2099 21-27 28000-30999 31-43 440-819 8200-9699 97000-99999"},
    {"958",
     "00-49 500-509 5100-5199 52000-53999 5400-5599 56000-59999 600-799 8000-9499 95000-99999"},
    {"959", "00-19 200-699 7000-8499 85000-99999"},
    {"960", "00-19 200-659 6600-6899 690-699 7000-8499 85000-92999 93-93 9400-9799 98000-99999"},
    {"961", "00-19 200-599 6000-8999 90000-97999"},
    {"962", "00-19 200-699 7000-8499 85000-86999 8700-8999 900-999"},
    {"963", "00-19 200-699 7000-8499 85000-89999 9000-9999"},
    {"964", "00-14 150-249 2500-2999 300-549 5500-8999 90000-96999 970-989 9900-9999"},
    {"965", "00-19 200-599 7000-7999 90000-99999"},
    {"966",
     "00-12 130-139 14-14 1500-1699 170-199 2000-2789 279-289 2900-2999 300-699 7000-8999 "
     "90000-90999 910-949 95000-97999 980-999"},
    {"967",
     "0000-0999 10000-19999 2000-2499 250-254 25500-26999 2700-2799 2800-2999 300-499 5000-5999 "
     "60-89 900-989 9900-9989 99900-99999"},
    {"968", "01-39 400-499 5000-7999 800-899 9000-9999"},
    {"969", "0-1 20-20 210-219 2200-2299 23000-23999 24-39 400-749 7500-9999"},
    {"970", "01-59 600-899 9000-9099 91000-96999 9700-9999"},
    {"971",
     "000-015 0160-0199 02-02 0300-0599 06-49 500-849 8500-9099 91000-95999 9600-9699 97-98 "
     "9900-9999"},
    {"972", "0-1 20-54 550-799 8000-9499 95000-99999"},
    {"973", "0-0 100-169 1700-1999 20-54 550-759 7600-8499 85000-88999 8900-9499 95000-99999"},
    {"974", "00-19 200-699 7000-8499 85000-89999 90000-94999 9500-9999"},
    {"975", "00000-01999 02-23 2400-2499 250-599 6000-9199 92000-98999 990-999"},
    {"976", "0-3 40-59 600-799 8000-9499 95000-99999"},
    {"977", "00-19 200-499 5000-6999 700-849 85000-89299 893-894 8950-8999 90-98 990-999"},
    {"978", "000-199 2000-2999 30000-78999 790-799 8000-8999 900-999"},
    {"979", "000-099 1000-1499 15000-19999 20-29 3000-3999 400-799 8000-9499 95000-99999"},
    {"980", "00-19 200-599 6000-9999"},
    {"981", "00-16 17000-17999 18-19 200-299 3000-3099 310-399 4000-9499 99-99"},
    {"982", "00-09 100-699 70-89 9000-9799 98000-99999"},
    {"983", "00-01 020-199 2000-3999 40000-44999 45-49 50-79 800-899 9000-9899 99000-99999"},
    {"984", "00-39 400-799 8000-8999 90000-99999"},
    {"985", "00-39 400-599 6000-8799 880-899 90000-99999"},
    {"986", "00-05 06000-06999 0700-0799 08-11 120-539 5400-7999 80000-99999"},
    {"987",
     "00-09 1000-1999 20000-29999 30-35 3600-4199 42-43 4400-4499 45000-48999 4900-4999 500-824 "
     "8250-8279 82800-82999 8300-8499 85-88 8900-9499 95000-99999"},
    {"988", "00-11 12000-19999 200-739 74000-76999 77000-79999 8000-9699 97000-99999"},
    {"989", "0-1 20-34 35000-36999 37-52 53000-54999 550-799 8000-9499 95000-99999"},
    {"9911", "20-24 550-749"},
    {"9912", "40-44 750-799 9850-9999"},
    {"9913", "00-04 600-649 9800-9999"},
    {"9914", "40-49 700-749 9600-9999"},
    {"9915", "40-59 650-799 9300-9999"},
    {"9916", "0-0 10-39 4-5 600-749 9500-9999"},
    {"9917", "0-0 30-34 600-699 9800-9999"},
    {"9918", "0-0 20-29 600-799 9500-9999"},
    {"9919", "0-0 20-29 500-599 9500-9999"},
    {"9920", "30-41 500-799 8750-9999"},
    {"9921", "0-0 30-39 700-899 9700-9999"},
    {"9922", "20-29 600-799 9000-9999"},
    {"9923", "0-0 10-59 700-899 9700-9999"},
    {"9924", "30-39 500-649 9000-9999"},
    {"9925", "0-2 30-54 550-734 7350-9999"},
    {"9926", "0-1 20-39 400-799 8000-9999"},
    {"9927", "00-09 100-399 4000-4999"},
    {"9928", "00-09 100-399 4000-4999"},
    {"9929", "0-3 40-54 550-799 8000-9999"},
    {"9930", "00-49 500-939 9400-9999"},
    {"9931", "00-23 240-899 9000-9999"},
    {"9932", "00-39 400-849 8500-9999"},
    {"9933", "0-0 10-39 400-899 9000-9999"},
    {"9934", "0-0 10-49 500-799 8000-9999"},
    {"9935", "0-0 10-39 400-899 9000-9999"},
    {"9936", "0-1 20-39 400-799 8000-9999"},
    {"9937", "0-2 30-49 500-799 8000-9999"},
    {"9938", "00-79 800-949 9500-9749 975-990 9910-9999"},
    {"9939", "0-4 50-79 800-899 9000-9599 960-979 98-99"},
    {"9940", "0-1 20-49 500-839 84-86 8700-9999"},
    {"9941", "0-0 10-39 400-799 8-8 9000-9999"},
    {"9942", "00-59 600-699 7000-7499 750-849 8500-8999 900-984 9850-9999"},
    {"9943", "00-29 300-399 4000-9749 975-999"},
    {"9944", "0000-0999 100-499 5000-5999 60-69 700-799 80-89 900-999"},
    {"9945", "00-00 010-079 08-39 400-569 57-57 580-799 80-80 810-849 8500-9999"},
    {"9946", "0-1 20-39 400-899 9000-9999"},
    {"9947", "0-1 20-79 800-999"},
    {"9948", "00-39 400-849 8500-9999"},
    {"9949", "00-08 090-099 10-39 400-699 70-71 7200-7499 75-89 9000-9999"},
    {"9950", "00-29 300-849 8500-9999"},
    {"9951", "00-39 400-849 8500-9999"},
    {"9952", "0-1 20-39 400-799 8000-9999"},
    {"9953", "0-0 10-39 400-599 60-89 9000-9299 93-96 970-999"},
    {"9954", "0-1 20-39 400-799 8000-9899 99-99"},
    {"9955", "00-39 400-929 9300-9999"},
    {"9956", "0-0 10-39 400-899 9000-9999"},
    {"9957", "00-39 400-649 65-67 680-699 70-84 8500-8799 88-99"},
    {"9958", "00-01 020-029 0300-0399 040-089 0900-0999 10-18 1900-1999 20-49 500-899 9000-9999"},
    {"9959", "0-1 20-79 800-949 9500-9699 970-979 98-99"},
    {"9960", "00-59 600-899 9000-9999"},
    {"9961", "0-2 30-69 700-949 9500-9999"},
    {"9962", "00-54 5500-5599 56-59 600-849 8500-9999"},
    {"9963", "0-1 2000-2499 250-279 2800-2999 30-54 550-734 7350-7499 7500-9999"},
    {"9964", "0-6 70-94 950-999"},
    {"9965", "00-39 400-899 9000-9999"},
    {"9966",
     "000-139 14-14 1500-1999 20-69 7000-7499 750-820 8210-8249 825-825 8260-8289 829-959 "
     "9600-9999"},
    {"9967", "00-39 400-899 9000-9999"},
    {"9968", "00-49 500-939 9400-9999"},
    {"9970", "00-39 400-899 9000-9999"},
    {"9971", "0-5 60-89 900-989 9900-9999"},
    {"9972", "00-09 1-1 200-249 2500-2999 30-59 600-899 9000-9999"},
    {"9973", "00-05 060-089 0900-0999 10-69 700-969 9700-9999"},
    {"9974", "0-2 30-54 550-749 7500-8799 880-909 91-94 95-99"},
    {"9975", "0-0 100-299 3000-3999 4000-4499 45-89 900-949 9500-9999"},
    {"9976", "0-4 5000-5799 580-589 59-89 900-989 9900-9999"},
    {"9977", "00-89 900-989 9900-9999"},
    {"9978", "00-29 300-399 40-94 950-989 9900-9999"},
    {"9979", "0-4 50-64 650-659 66-75 760-899 9000-9999"},
    {"9980", "0-3 40-89 900-989 9900-9999"},
    {"9981", "00-09 100-159 1600-1999 20-79 800-949 9500-9999"},
    {"9982", "00-79 800-989 9900-9999"},
    {"9983", "80-94 950-989 9900-9999"},
    {"9984", "00-49 500-899 9000-9999"},
    {"9985", "0-4 50-79 800-899 9000-9999"},
    {"9986", "00-39 400-899 9000-9399 940-969 97-99"},
    {"9987", "00-39 400-879 8800-9999"},
    {"9988", "0-3 40-54 550-749 7500-9999"},
    {"9989", "0-0 100-199 2000-2999 30-59 600-949 9500-9999"},
    {"99901", "00-49 500-799 80-99"},
    {"99903", "0-1 20-89 900-999"},
    {"99904", "0-5 60-89 900-999"},
    {"99905", "0-3 40-79 800-999"},
    {"99906", "0-2 30-59 600-699 70-89 90-94 950-999"},
    {"99908", "0-0 10-89 900-999"},
    {"99909", "0-3 40-94 950-999"},
    {"99910", "0-2 30-89 900-999"},
    {"99911", "00-59 600-999"},
    {"99912", "0-3 400-599 60-89 900-999"},
    {"99913", "0-2 30-35 600-604"},
    {"99914", "0-4 50-69 7-7 80-89 900-999"},
    {"99915", "0-4 50-79 800-999"},
    {"99916", "0-2 30-69 700-999"},
    {"99917", "0-2 30-88 890-999"},
    {"99918", "0-3 40-79 800-999"},
    {"99919", "0-2 300-399 40-79 800-999"},
    {"99920", "0-4 50-89 900-999"},
    {"99921", "0-1 20-69 700-799 8-8 90-99"},
    {"99922", "0-3 40-69 700-999"},
    {"99923", "0-1 20-79 800-999"},
    {"99924", "0-1 20-79 800-999"},
    {"99925", "0-0 10-19 200-299 3-3 40-79 800-999"},
    {"99926", "0-0 10-59 600-869 87-89 90-99"},
    {"99927", "0-2 30-59 600-999"},
    {"99928", "0-0 10-79 800-999"},
    {"99929", "0-4 50-79 800-999"},
    {"99930", "0-4 50-79 800-999"},
    {"99931", "0-4 50-79 800-999"},
    {"99932", "0-0 10-59 600-699 7-7 80-99"},
    {"99933", "0-2 30-59 600-999"},
    {"99934", "0-1 20-79 800-999"},
    {"99935", "0-2 30-59 600-699 7-8 90-99"},
    {"99936", "0-0 10-59 600-999"},
    {"99937", "0-1 20-59 600-999"},
    {"99938", "0-1 20-59 600-899 90-99"},
    {"99939", "0-2 30-59 60-89 900-999"},
    {"99940", "0-0 10-69 700-999"},
    {"99941", "0-2 30-79 800-999"},
    {"99942", "0-4 50-79 800-999"},
    {"99943", "0-2 30-59 600-999"},
    {"99944", "0-4 50-79 800-999"},
    {"99945", "0-4 50-89 900-999"},
    {"99946", "0-2 30-59 600-999"},
    {"99947", "0-2 30-69 700-999"},
    {"99948", "0-4 50-79 800-999"},
    {"99949", "0-1 20-79 8-8 900-989 99-99"},
    {"99950", "0-4 50-79 800-999"},
    {"99952", "0-4 50-79 800-999"},
    {"99953", "0-2 30-79 800-939 94-99"},
    {"99954", "0-2 30-69 700-879 88-99"},
    {"99955", "0-1 20-59 600-799 80-99"},
    {"99956", "00-59 600-859 86-99"},
    {"99957", "0-1 20-79 800-949 95-99"},
    {"99958", "0-4 50-93 940-949 950-999"},
    {"99959", "0-2 30-59 600-999"},
    {"99960", "070-099 10-94 950-999"},
    {"99961", "0-2 300-369 37-89 900-999"},
    {"99962", "0-4 50-79 800-999"},
    {"99963", "00-49 500-919 92-99"},
    {"99964", "0-1 20-79 800-999"},
    {"99965", "0-2 300-359 36-62 630-999"},
    {"99966", "0-2 30-69 700-799 80-96 970-999"},
    {"99967", "0-0 10-59 600-999"},
    {"99968", "0-3 400-599 60-89 900-999"},
    {"99969", "0-4 50-79 800-949 95-99"},
    {"99970", "0-4 50-89 900-999"},
    {"99971", "0-3 40-84 850-999"},
    {"99972", "0-4 50-89 900-999"},
    {"99973", "0-3 40-79 800-999"},
    {"99974", "0-0 10-25 260-399 40-63 640-649 65-79 800-999"},
    {"99975", "0-2 300-399 40-79 800-999"},
    {"99976", "0-0 10-15 160-199 20-59 600-799 85-89 900-999"},
    {"99977", "0-1 40-69 700-799 995-999"},
    {"99978", "0-4 50-69 700-999"},
    {"99979", "0-4 50-79 800-999"},
    {"99980", "0-0 30-59 750-999"},
    {"99981", "0-1 27-74 750-999"},
    {"99982", "0-1 50-68 900-999"},
    {"99983", "0-0 50-69 950-999"},
    {"99985", "0-1 35-79 850-999"},
    {"99986", "0-0 50-69 950-999"},
    {"99987", "850-999"},
    {"99988", "0-0 50-54 800-824"},
    {"99989", "0-0 50-64 900-999"},
    {"99990", "0-0 50-54 975-999"},
};

constexpr ISBNGroupRanges kISBN979Groups[] = {
    {"10", "00-19 200-699 7000-8999 90000-97599 976000-999999"},
    {"11", "00-24 250-549 5500-8499 85000-94999 950000-999999"},
    {"12", "200-299 5450-5999 80000-84999"},
    {"8", "200-229 3500-3999 4000-8499 8500-8849 88500-89999 9850000-9899999"},
};

// A prefix's registration groups: their lengths and their ranges.
struct ISBNPrefixRanges {
    const char* groupLengths;
    std::span<const ISBNGroupRanges> groups;
};

constexpr ISBNPrefixRanges kISBN978 = {"0-5 600-649 65-65 7-7 80-94 950-989 9900-9989 99900-99999",
                                       kISBN978Groups};
constexpr ISBNPrefixRanges kISBN979 = {"10-12 8-8", kISBN979Groups};

constexpr int kISBNDigits = 9;
constexpr const char* kDefaultRangesGroup = "0";
// A number below the first range of its group has a publisher of this many
// digits; one between two ranges takes the length of the lower one.
constexpr int kPublisherLengthBelowRanges = 2;

constexpr std::size_t kEAN13Length = 15;
constexpr int kEAN13DataDigits = 12;
constexpr std::size_t kISBNAddOnDigits = 5;
constexpr std::size_t kISSNAddOnDigits = 2;

bool IsCheckX(char c) {
    return c == 'X' || c == 'x';
}

// No add-on after the main code, or one of exactly the given digit count:
// the EAN-13 forms of the other length belong to EAN-13 alone.
bool HasAddOnOf(const char* addOn, std::size_t digits) {
    if (*addOn == '\0') {
        return true;
    }
    if (addOn[0] != '-' || std::strlen(addOn + 1) != digits) {
        return false;
    }
    return AllDigits(addOn + 1, digits);
}

// The modulo-11 check character of the first count digits of text (other
// characters skipped), weighted count + 1 down to 2; 10 is written 'X'.
char Mod11CheckCharacter(const char* text, int count) {
    int sum = 0;
    int weight = count + 1;
    for (const char* c = text; *c != '\0' && weight > 1; ++c) {
        if (IsDigit(*c)) {
            sum += DigitValue(*c) * weight--;
        }
    }
    const int check = (11 - sum % 11) % 11;
    return check == 10 ? 'X' : DigitCharacter(check);
}

struct PartLengths {
    int group = 0;
    int publisher = 0;
};

// One range "first-last" of a table string; both bounds have digits digits.
struct DigitRange {
    const char* first;
    const char* last;
    std::size_t digits;
};

// Reads the range at *text and moves *text past it; false at the end.
bool ReadRange(const char** text, DigitRange* range) {
    const char* const at = *text + std::strspn(*text, " ");
    if (*at == '\0') {
        return false;
    }
    range->digits = std::strcspn(at, "-");
    range->first = at;
    range->last = at + range->digits + 1;
    *text = range->last + range->digits;
    return true;
}

// The group's length by its first digits, as the prefix's groups are laid
// out. Digits the message gives no group are guessed as the groups of 978
// were once laid out; such a group has no rows and takes group 0's.
int GroupLength(const ISBNPrefixRanges& prefix, const char* digits) {
    DigitRange range;
    for (const char* at = prefix.groupLengths; ReadRange(&at, &range);) {
        if (std::memcmp(digits, range.first, range.digits) >= 0 &&
            std::memcmp(digits, range.last, range.digits) <= 0) {
            return static_cast<int>(range.digits);
        }
    }
    if (digits[0] <= '7') {
        return 1;
    }
    if (digits[0] == '8' || digits[1] <= '4') {
        return 2;
    }
    if (digits[1] <= '8' || digits[2] <= '5') {
        return 3;
    }
    return digits[2] <= '8' ? 4 : 5;
}

const char* FindGroupRanges(const ISBNPrefixRanges& prefix, const char* digits,
                            std::size_t groupLength) {
    for (const ISBNGroupRanges& entry : prefix.groups) {
        if (std::strlen(entry.group) == groupLength &&
            std::memcmp(entry.group, digits, groupLength) == 0) {
            return entry.ranges;
        }
    }
    return nullptr;
}

// Compares the first count digits of number (padded with zeros past its
// length) with bound: group 0's ranges, which serve the groups without
// rows, are longer than what a long group leaves.
int ComparePadded(const char* number, std::size_t length, const char* bound, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) {
        const char digit = i < length ? number[i] : '0';
        if (digit != bound[i]) {
            return digit < bound[i] ? -1 : 1;
        }
    }
    return 0;
}

int PublisherLength(const char* ranges, const char* number, std::size_t length) {
    int publisher = kPublisherLengthBelowRanges;
    DigitRange range;
    for (const char* at = ranges; ReadRange(&at, &range);) {
        if (ComparePadded(number, length, range.first, range.digits) < 0) {
            break;
        }
        publisher = static_cast<int>(range.digits);
    }
    return publisher;
}

// The table's lengths for the first nine digits of text (other characters
// skipped) under prefix; false with fewer digits.
bool FindPartLengths(const ISBNPrefixRanges& prefix, const char* text, PartLengths* parts) {
    char digits[kISBNDigits];
    int count = 0;
    for (const char* c = text; *c != '\0' && count < kISBNDigits; ++c) {
        if (IsDigit(*c)) {
            digits[count++] = *c;
        }
    }
    if (count < kISBNDigits) {
        return false;
    }
    const int group = GroupLength(prefix, digits);
    const char* ranges = FindGroupRanges(prefix, digits, static_cast<std::size_t>(group));
    if (ranges == nullptr) {
        ranges = FindGroupRanges(kISBN978, kDefaultRangesGroup, 1);
    }
    parts->group = group;
    parts->publisher = PublisherLength(ranges, digits + group, kISBNDigits - group);
    return true;
}

// At least one digit must be left for the title.
bool LeavesTitle(const PartLengths& parts) {
    return parts.group + parts.publisher < kISBNDigits;
}

// The table's lengths, when they leave a title: a reading of the bars
// hyphenates by them, so they are the one spelling of every code, also in a
// group the table has no rows for.
bool ChoosePartLengths(const char* text, const ISBNPrefixRanges& prefix, PartLengths* parts) {
    return FindPartLengths(prefix, text, parts) && LeavesTitle(*parts);
}

// The ISBN-10 part of a code: nine digits hyphenated after group and
// publisher, a hyphen and the check character; optionally an add-on of five
// digits.
constexpr std::size_t kPartLength = 13;
constexpr std::size_t kPartWithAddOnLength = 19;
constexpr std::size_t kPartCheckIndex = 12;

// How a code's digit count (hyphens not counted, an 'X' counted) tells an
// ISBN-13 from an ISBN-10; a count that fits neither, with or without its
// check character and add-on, is undecided.
enum class DigitCount { kISBN10, kISBN13, kUndecided };

DigitCount ClassifyDigitCount(const char* text) {
    const std::size_t count = static_cast<std::size_t>(std::count_if(
        text, text + std::strlen(text), [](char c) { return IsDigit(c) || IsCheckX(c); }));
    const std::size_t isbn10 = kISBNDigits + 1;
    const std::size_t isbn13 = isbn10 + 3;
    if (count == isbn10 - 1 || count == isbn10 || count == isbn10 + kISBNAddOnDigits) {
        return DigitCount::kISBN10;
    }
    if (count == isbn13 - 1 || count == isbn13 || count == isbn13 + kISBNAddOnDigits) {
        return DigitCount::kISBN13;
    }
    return DigitCount::kUndecided;
}

// Whether part[0, kPartLength) has its hyphens after group and publisher
// and before the check character, and digits everywhere else (the check
// character may be 'X' when checkMayBeX).
bool IsPartHyphenated(const char* part, const ISBNPrefixRanges& prefix, bool checkMayBeX) {
    PartLengths parts;
    if (!ChoosePartLengths(part, prefix, &parts)) {
        return false;
    }
    const std::size_t groupEnd = static_cast<std::size_t>(parts.group);
    const std::size_t publisherEnd = groupEnd + static_cast<std::size_t>(parts.publisher) + 1;
    for (std::size_t i = 0; i < kPartLength; ++i) {
        const char c = part[i];
        const bool hyphen = i == groupEnd || i == publisherEnd || i == kPartCheckIndex - 1;
        const bool check = i == kPartCheckIndex && checkMayBeX && c == 'X';
        if (hyphen ? c != '-' : !(IsDigit(c) || check)) {
            return false;
        }
    }
    return true;
}

// The part of raw hyphenated anew into out (kPartWithAddOnLength + 1 bytes),
// completed with a placeholder check character or cut back to the part
// alone or the part and a whole add-on; false for a character other than a
// digit or '-' ('x' or 'X' also as check character when checkMayBeX), or
// when group and publisher cannot be placed.
bool HyphenatePart(const char* raw, const ISBNPrefixRanges& prefix, bool checkMayBeX, char* out) {
    // The copy stops at one character past the longest part, so that a
    // sixth add-on digit is cut rather than read as complete.
    constexpr std::size_t kCopyLimit = kPartWithAddOnLength + 1;
    PartLengths parts;
    if (!ChoosePartLengths(raw, prefix, &parts)) {
        return false;
    }
    const std::size_t groupEnd = static_cast<std::size_t>(parts.group);
    const std::size_t hyphens[] = {groupEnd,
                                   groupEnd + static_cast<std::size_t>(parts.publisher) + 1,
                                   kPartCheckIndex - 1, kPartLength};
    char text[kCopyLimit + 1];
    std::size_t length = 0;
    std::size_t next = 0;
    for (const char* c = raw; *c != '\0' && length < kCopyLimit; ++c) {
        if (*c == '-') {
            continue;
        }
        if (next < std::size(hyphens) && length == hyphens[next]) {
            text[length++] = '-';
            ++next;
        }
        if (IsDigit(*c)) {
            text[length++] = *c;
        } else if (checkMayBeX && length == kPartCheckIndex && IsCheckX(*c)) {
            text[length++] = 'X';
        } else {
            return false;
        }
    }
    if (length == kPartCheckIndex - 1) {
        text[length++] = '-';
    }
    if (length == kPartCheckIndex) {
        text[length++] = '0';
    }
    length = length >= kPartWithAddOnLength ? kPartWithAddOnLength : kPartLength;
    text[length] = '\0';
    std::memcpy(out, text, length + 1);
    return true;
}

// The longest text the conversions build before a correction: twelve
// digits with a prefix, a placeholder check character and an add-on.
constexpr std::size_t kRawCapacity = 24;

// Appends the first count digits of code (other characters skipped) to raw;
// the position after the last of them, or null when code has fewer.
const char* AppendDigits(const char* code, int count, char* raw, std::size_t* length) {
    const char* c = code;
    for (int taken = 0; taken < count; ++c) {
        if (*c == '\0') {
            return nullptr;
        }
        if (IsDigit(*c)) {
            raw[(*length)++] = *c;
            ++taken;
        }
    }
    return c;
}

// When text begins with '-', appends it and up to maxDigits digits after it.
void AppendAddOn(const char* text, std::size_t maxDigits, char* raw, std::size_t* length) {
    if (text[0] != '-') {
        return;
    }
    raw[(*length)++] = '-';
    for (std::size_t k = 1; k <= maxDigits && IsDigit(text[k]); ++k) {
        raw[(*length)++] = text[k];
    }
}

// raw corrected into out by the symbol's own CorrectCode, or by that of
// EAN-13 when asEAN13.
bool CorrectInto(const BarcodeProcessorEAN13& symbol, bool asEAN13, const char* raw, char* out,
                 std::size_t capacity) {
    M7LString text(raw);
    const bool corrected =
        asEAN13 ? symbol.BarcodeProcessorEAN13::CorrectCode(text) : symbol.CorrectCode(text);
    return corrected && CopyIfFits(text.CStr(), out, capacity);
}

// The twelve data digits of a valid EAN-13 form that begins with one of
// prefixes ("9-78") and has no add-on or one of addOnDigits digits; addOn
// points at the add-on's text, "" when there is none.
bool ReadEAN13(const BarcodeProcessorEAN13& symbol, const char* encoded,
               std::initializer_list<const char*> prefixes, std::size_t addOnDigits, char* digits,
               const char** addOn) {
    if (encoded == nullptr || !symbol.BarcodeProcessorEAN13::IsEncodedValid(encoded) ||
        std::none_of(prefixes.begin(), prefixes.end(), [encoded](const char* prefix) {
            return std::strncmp(encoded, prefix, std::strlen(prefix)) == 0;
        })) {
        return false;
    }
    *addOn = encoded + kEAN13Length;
    std::size_t length = 0;
    AppendDigits(encoded, kEAN13DataDigits, digits, &length);
    return HasAddOnOf(*addOn, addOnDigits);
}

// The EAN-13 form of prefix, the first count digits of an ISBN code, a
// placeholder check digit and the code's add-on, when the code has a hyphen
// and a check character (a digit, or 'X' when checkMayBeX) after its digits.
bool ISBNToEAN13(const BarcodeProcessorEAN13& symbol, const char* prefix, const char* code,
                 int count, bool checkMayBeX, char* encoded, std::size_t capacity) {
    if (code == nullptr) {
        return false;
    }
    char raw[kRawCapacity + 1];
    std::size_t length = std::strlen(prefix);
    std::memcpy(raw, prefix, length);
    const char* const after = AppendDigits(code, count, raw, &length);
    if (after == nullptr || after[0] != '-' ||
        !(IsDigit(after[1]) || (checkMayBeX && IsCheckX(after[1])))) {
        return false;
    }
    raw[length++] = '-';
    raw[length++] = '0';
    AppendAddOn(after + 2, kISBNAddOnDigits, raw, &length);
    raw[length] = '\0';
    return CorrectInto(symbol, true, raw, encoded, capacity);
}

// The ISBN code of an EAN-13 form of one of prefixes: its digits from
// firstDigit on, a placeholder check character and the add-on, through the
// class's CorrectCode, which hyphenates and computes the check character.
bool ISBNFromEAN13(const BarcodeProcessorEAN13& symbol, const char* encoded,
                   std::initializer_list<const char*> prefixes, int firstDigit, char* code,
                   std::size_t capacity) {
    char digits[kEAN13DataDigits];
    const char* addOn = nullptr;
    if (!ReadEAN13(symbol, encoded, prefixes, kISBNAddOnDigits, digits, &addOn)) {
        return false;
    }
    char raw[kRawCapacity + 1];
    std::size_t length = static_cast<std::size_t>(kEAN13DataDigits - firstDigit);
    std::memcpy(raw, digits + firstDigit, length);
    raw[length++] = '-';
    raw[length++] = '0';
    std::strcpy(raw + length, addOn);
    return CorrectInto(symbol, false, raw, code, capacity);
}

}  // namespace

// The line above the bars: "ISBN" or "ISSN", an empty pitch and the code,
// in OCRB on a pitch that follows the text size. The frame around symbol and
// lines is always sent; the EAN-13 symbol under them sends none of its own.
class NumberLineDrawing {
public:
    struct Lines {
        const char* label;
        const char* code;
        std::size_t codeCount;
        // The ISBN-10 form of the second line, or null; the frame holds the
        // lines there are.
        const char* second;
        bool centred;
        // Where the line begins when not centred.
        int startModules;
    };

    template <typename Symbol>
    static bool Draw(Symbol& symbol, const Lines& lines);

private:
    static constexpr std::size_t kLabelLength = 4;
    // The label and the empty pitch after it.
    static constexpr std::size_t kLabelPitches = kLabelLength + 1;
    static constexpr double kTextSizeMm = 2.47;
    static constexpr double kPitchPerTextSize = 2.04 / 2.47;
    static constexpr double kEAN13TextSizeMm = 2.8;
    // The first baseline lies this far above the bars, the second one a text
    // size and this much above the first; the frame keeps one module around.
    static constexpr int kLineGapModules = 3;
    static constexpr int kLineSpacingModules = 2;
    static constexpr int kFrameMarginModules = 1;
    // An uncentred line's frame reaches this many modules past its pitches.
    static constexpr int kFrameLineModules = 12;
};

template <typename Symbol>
bool NumberLineDrawing::Draw(Symbol& symbol, const Lines& lines) {
    if (!symbol.IsEncodedValid(symbol.GetEncodedCode())) {
        return false;
    }
    symbol.SetEmitFrame(false);
    const double width = symbol.ComputeWidth();
    if (!(width > 0.0)) {
        return false;
    }
    const auto layout = symbol.ComputeLayout(kEAN13TextSizeMm);
    const double module = layout.module;
    const double size = kTextSizeMm * std::max(symbol.GetMagnification(), 1.0);
    const double pitch = kPitchPerTextSize * size;
    const double length = static_cast<double>(kLabelPitches + lines.codeCount) * pitch;
    double left = 0.0;
    double right = std::max(length + kFrameLineModules * module, width);
    double start = lines.startModules * module;
    if (lines.centred) {
        start = (width - length) / 2.0;
        left = std::min(0.0, start);
        right = std::max(width, (width + length) / 2.0);
    }
    const double baseline = layout.top + kLineGapModules * module;
    const double secondBaseline = baseline + size + kLineSpacingModules * module;
    const double top =
        (lines.second != nullptr ? secondBaseline : baseline) + size + kFrameMarginModules * module;
    const auto line = [&](const char* text, std::size_t count, double y) {
        const double first = start + pitch / 2.0;
        for (std::size_t j = 0; j < kLabelLength; ++j) {
            if (!symbol.EmitText(first + static_cast<double>(j) * pitch, y, size, lines.label[j])) {
                return false;
            }
        }
        for (std::size_t j = 0; j < count; ++j) {
            const double x = first + static_cast<double>(kLabelPitches + j) * pitch;
            if (!symbol.EmitText(x, y, size, text[j])) {
                return false;
            }
        }
        return true;
    };
    return symbol.EmitFrame(left, right, layout.textBaseline - kFrameMarginModules * module, top,
                            0.0) &&
           symbol.EmitFont(kOCRBFont, true) && line(lines.code, lines.codeCount, baseline) &&
           (lines.second == nullptr || line(lines.second, kPartLength, secondBaseline)) &&
           symbol.SetFont(kOCRBFont) && symbol.BarcodeProcessorEAN13::Generate();
}

bool BarcodeProcessorISBNBase::HasOption(std::int32_t optionCode) const {
    return optionCode == kBarcodeOptionCenterAlign;
}

bool BarcodeProcessorISBNBase::GenerateWithLine(std::size_t lineCount, const char* secondLine) {
    constexpr int kLineStartModules = 12;
    return NumberLineDrawing::Draw(
        *this, {"ISBN", GetCode(), lineCount, secondLine, GetCenterAlign(), kLineStartModules});
}

namespace {

constexpr const char* kPrefix978 = "978";
constexpr const char* kPrefix979 = "979";
constexpr std::size_t kPrefixLength = 3;
constexpr int kPrefixDigits = 3;
constexpr int kISBN13DataDigits = kEAN13DataDigits;
constexpr std::size_t kISBN13Length = 17;
constexpr std::size_t kISBN13CheckIndex = 16;

bool HasISBN13Prefix(const char* text) {
    return std::strncmp(text, kPrefix978, kPrefixLength) == 0 ||
           std::strncmp(text, kPrefix979, kPrefixLength) == 0;
}

// The ranges of a code that begins with prefix 978 or 979.
const ISBNPrefixRanges& RangesOf(const char* prefixed) {
    return std::strncmp(prefixed, kPrefix979, kPrefixLength) == 0 ? kISBN979 : kISBN978;
}

bool FindLengths(const ISBNPrefixRanges& prefix, const char* text, int* groupLength,
                 int* publisherLength) {
    PartLengths parts;
    if (text == nullptr || !ChoosePartLengths(text, prefix, &parts)) {
        return false;
    }
    *groupLength = parts.group;
    *publisherLength = parts.publisher;
    return true;
}

}  // namespace

bool BarcodeProcessorISBNBase::FindISBNPartLengths(const char* text, int* groupLength,
                                                   int* publisherLength) {
    return FindLengths(kISBN978, text, groupLength, publisherLength);
}

bool BarcodeProcessorISBNBase::FindISBNPartLengths(const char* prefix, const char* text,
                                                   int* groupLength, int* publisherLength) {
    return prefix != nullptr && HasISBN13Prefix(prefix) &&
           FindLengths(RangesOf(prefix), text, groupLength, publisherLength);
}

bool BarcodeProcessorISBN::EncodedToCode(const char* encoded, char* code,
                                         std::size_t capacity) const {
    return ISBNFromEAN13(*this, encoded, {"9-78"}, kPrefixDigits, code, capacity);
}

bool BarcodeProcessorISBN::CodeToEncoded(const char* code, char* encoded,
                                         std::size_t capacity) const {
    return ISBNToEAN13(*this, kPrefix978, code, kISBNDigits, true, encoded, capacity);
}

bool BarcodeProcessorISBN::Generate() {
    return GenerateWithLine(kPartLength, nullptr);
}

bool BarcodeProcessorISBN::IsCodeValid(const char* code) const {
    if (code == nullptr) {
        return false;
    }
    const std::size_t length = std::strlen(code);
    return (length == kPartLength || length == kPartWithAddOnLength) &&
           IsPartHyphenated(code, kISBN978, true) &&
           code[kPartCheckIndex] == Mod11CheckCharacter(code, kISBNDigits) &&
           (length == kPartLength || IsWholeAddOn(code + kPartLength));
}

// The regrouped add-on consists of digits, so it passes as it is.
bool BarcodeProcessorISBN::CorrectCode(M7LString& code) const {
    char part[kPartWithAddOnLength + 1];
    if (ClassifyDigitCount(code.CStr()) == DigitCount::kISBN13 ||
        !HyphenatePart(code.CStr(), kISBN978, true, part)) {
        return false;
    }
    part[kPartCheckIndex] = Mod11CheckCharacter(part, kISBNDigits);
    return StoreText(code, part);
}

bool BarcodeProcessorISBNEAN::EncodedToCode(const char* encoded, char* code,
                                            std::size_t capacity) const {
    return ISBNFromEAN13(*this, encoded, {"9-78", "9-79"}, 0, code, capacity);
}

bool BarcodeProcessorISBNEAN::CodeToEncoded(const char* code, char* encoded,
                                            std::size_t capacity) const {
    return ISBNToEAN13(*this, "", code, kISBN13DataDigits, false, encoded, capacity);
}

// Every valid 978 number has its ISBN-10 form: both hyphenate by the same
// table.
bool BarcodeProcessorISBNEAN::Generate() {
    const bool dual = dualNumbering_ && std::strncmp(GetCode(), kPrefix978, kPrefixLength) == 0;
    char isbn10[kCodeCapacity + 1];
    if (dual && !BarcodeProcessorISBN().EncodedToCode(GetEncodedCode(), isbn10, kCodeCapacity)) {
        return false;
    }
    return GenerateWithLine(kISBN13Length, dual ? isbn10 : nullptr);
}

bool BarcodeProcessorISBNEAN::IsCodeValid(const char* code) const {
    if (code == nullptr) {
        return false;
    }
    const std::size_t length = std::strlen(code);
    return (length == kISBN13Length || length == kISBN13Length + kISBNAddOnDigits + 1) &&
           HasISBN13Prefix(code) && code[kPrefixLength] == '-' &&
           IsPartHyphenated(code + kPrefixLength + 1, RangesOf(code), false) &&
           HasGS1CheckDigitAt(code, kISBN13CheckIndex) &&
           (length == kISBN13Length || IsWholeAddOn(code + kISBN13Length));
}

// The digit count tells an ISBN-10 (which gets prefix 978) from an ISBN-13;
// where it cannot, a text beginning with 978 or 979 is an ISBN-13.
bool BarcodeProcessorISBNEAN::CorrectCode(M7LString& code) const {
    const char* const text = code.CStr();
    if (std::strlen(text) < kPrefixLength) {
        return false;
    }
    const bool prefixed = HasISBN13Prefix(text);
    const DigitCount count = ClassifyDigitCount(text);
    const bool isbn13 =
        count == DigitCount::kISBN13 || (count == DigitCount::kUndecided && prefixed);
    if (isbn13 && !prefixed) {
        return false;
    }
    char full[kPrefixLength + 1 + kPartWithAddOnLength + 1];
    std::memcpy(full, isbn13 ? text : kPrefix978, kPrefixLength);
    full[kPrefixLength] = '-';
    const char* const raw = !isbn13                      ? text
                            : text[kPrefixLength] == '-' ? text + kPrefixLength + 1
                                                         : text + kPrefixLength;
    if (!HyphenatePart(raw, RangesOf(full), false, full + kPrefixLength + 1)) {
        return false;
    }
    SetGS1CheckDigit(full, kISBN13CheckIndex);
    return StoreText(code, full);
}

namespace {

constexpr const char* kISSNMainForm = "DDDD-DDD";
constexpr int kISSNDigits = 7;
constexpr std::size_t kISSNLength = 9;
constexpr std::size_t kISSNHyphenIndex = 4;
constexpr std::size_t kISSNCheckIndex = 8;
// "(VV)" after the check character; an add-on "-DD" after it or after the
// variant.
constexpr const char* kISSNVariantForm = "(DD)";
// The bars of a code without variant carry variant 00, so a reading never
// writes this one.
constexpr const char* kISSNNoVariant = "(00)";
constexpr std::size_t kISSNVariantIndex = 9;
constexpr std::size_t kISSNVariantCloseIndex = 12;
constexpr std::size_t kISSNVariantLength = 13;
constexpr std::size_t kISSNAddOnLength = 3;
constexpr int kISSNDataDigitsIndex = 3;
constexpr int kISSNVariantDigitsIndex = kISSNDataDigitsIndex + kISSNDigits;

bool IsNoVariant(const char* code) {
    return std::strncmp(code + kISSNVariantIndex, kISSNNoVariant,
                        kISSNVariantLength - kISSNVariantIndex) == 0;
}

// The length a regrouped ISSN is cut back to: the ISSN, with the variant when
// it is complete, and with the add-on when it has both digits.
std::size_t CutISSN(std::size_t length, bool variant) {
    const std::size_t main =
        variant && length >= kISSNVariantLength ? kISSNVariantLength : kISSNLength;
    if (length >= main + kISSNAddOnLength) {
        return main + kISSNAddOnLength;
    }
    return length >= main ? main : length;
}

}  // namespace

bool BarcodeProcessorISSN::EncodedToCode(const char* encoded, char* code,
                                         std::size_t capacity) const {
    char digits[kEAN13DataDigits];
    const char* addOn = nullptr;
    if (!ReadEAN13(*this, encoded, {"9-77"}, kISSNAddOnDigits, digits, &addOn)) {
        return false;
    }
    char raw[kRawCapacity + 1];
    std::size_t length = kISSNDigits;
    std::memcpy(raw, digits + kISSNDataDigitsIndex, length);
    raw[length++] = '0';
    const char* const variant = digits + kISSNVariantDigitsIndex;
    if (variant[0] != '0' || variant[1] != '0') {
        raw[length++] = '(';
        raw[length++] = variant[0];
        raw[length++] = variant[1];
        raw[length++] = ')';
    }
    std::strcpy(raw + length, addOn);
    return CorrectInto(*this, false, raw, code, capacity);
}

bool BarcodeProcessorISSN::CodeToEncoded(const char* code, char* encoded,
                                         std::size_t capacity) const {
    if (code == nullptr) {
        return false;
    }
    char raw[kRawCapacity + 1];
    std::size_t length = 3;
    std::memcpy(raw, "977", length);
    const char* after = AppendDigits(code, kISSNDigits, raw, &length);
    if (after == nullptr || !(IsDigit(after[0]) || IsCheckX(after[0]))) {
        return false;
    }
    ++after;
    if (after[0] == '(') {
        if (after[1] == '\0' || after[2] == '\0' || after[3] != ')') {
            return false;
        }
        raw[length++] = after[1];
        raw[length++] = after[2];
        after += std::strlen(kISSNVariantForm);
    } else {
        raw[length++] = '0';
        raw[length++] = '0';
    }
    raw[length++] = '0';
    AppendAddOn(after, kISSNAddOnDigits, raw, &length);
    raw[length] = '\0';
    return CorrectInto(*this, true, raw, encoded, capacity);
}

bool BarcodeProcessorISSN::Generate() {
    constexpr int kLineStartModules = 11;
    return NumberLineDrawing::Draw(
        *this, {"ISSN", GetCode(), kISSNLength, nullptr, false, kLineStartModules});
}

bool BarcodeProcessorISSN::IsCodeValid(const char* code) const {
    if (code == nullptr) {
        return false;
    }
    const std::size_t length = std::strlen(code);
    const bool variant =
        length == kISSNVariantLength || length == kISSNVariantLength + kISSNAddOnLength;
    if (!(length == kISSNLength || length == kISSNLength + kISSNAddOnLength || variant) ||
        !MatchesForm(code, kISSNMainForm) ||
        code[kISSNCheckIndex] != Mod11CheckCharacter(code, kISSNDigits) ||
        (variant &&
         (!MatchesForm(code + kISSNVariantIndex, kISSNVariantForm) || IsNoVariant(code)))) {
        return false;
    }
    return length == kISSNLength || length == kISSNVariantLength ||
           IsWholeAddOn(code + length - kISSNAddOnLength);
}

// '-', '(' and ')' are placed anew: a '(' where the variant may begin starts
// it, anything else there begins the add-on; variant 00 is dropped. The
// regrouped add-on consists of digits, so it passes as it is.
bool BarcodeProcessorISSN::CorrectCode(M7LString& code) const {
    constexpr std::size_t kCopyLimit = kISSNVariantLength + kISSNAddOnLength + 1;
    char text[kCopyLimit + 1];
    std::size_t length = 0;
    bool variant = false;
    for (const char* c = code.CStr(); *c != '\0' && length < kCopyLimit; ++c) {
        if (*c == '(' && length == kISSNVariantIndex) {
            text[length++] = '(';
            variant = true;
            continue;
        }
        if (*c == '(' || *c == ')' || *c == '-') {
            continue;
        }
        if (variant && length == kISSNVariantCloseIndex) {
            text[length++] = ')';
        }
        if (length == kISSNHyphenIndex || length == kISSNVariantIndex ||
            length == kISSNVariantLength) {
            text[length++] = '-';
        }
        if (IsDigit(*c)) {
            text[length++] = *c;
        } else if (length == kISSNCheckIndex && IsCheckX(*c)) {
            text[length++] = 'X';
        } else {
            return false;
        }
    }
    if (variant && length == kISSNVariantCloseIndex) {
        text[length++] = ')';
    }
    if (length == kISSNCheckIndex) {
        text[length++] = '0';
    }
    length = CutISSN(length, variant);
    text[length] = '\0';
    if (variant && length >= kISSNVariantLength && IsNoVariant(text)) {
        std::memmove(text + kISSNVariantIndex, text + kISSNVariantLength,
                     length - kISSNVariantLength + 1);
        length -= kISSNVariantLength - kISSNVariantIndex;
    }
    if (length < kISSNLength) {
        StoreText(code, text);
        return false;
    }
    text[kISSNCheckIndex] = Mod11CheckCharacter(text, kISSNDigits);
    return StoreText(code, text);
}

bool BarcodeProcessorISSN::HasOption(std::int32_t /*optionCode*/) const {
    return false;
}

}  // namespace Strivelo
