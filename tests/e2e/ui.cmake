# The message box on the screen and answered with real input.
orvex_add_e2e_test(test_msgbox_screen.py LOCKS display)
orvex_add_e2e_test(test_msgbox_input.py LOCKS display)
