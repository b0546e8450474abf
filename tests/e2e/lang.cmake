# The language tests run in a Wine prefix and on a display of their own, so
# that they can restart the Wine server under other locales.
orvex_add_e2e_test(test_language.py TIMEOUT 900)
