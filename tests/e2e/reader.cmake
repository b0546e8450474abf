# The message box read and pressed by a screen reader's client.
orvex_add_e2e_test(test_msgbox_reader.py LOCKS script_server registry display TIMEOUT 900)
