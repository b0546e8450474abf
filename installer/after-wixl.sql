-- What OrvexSwitcher.wxs means but wixl does not write: applied by
-- scripts/package.sh with msibuild, one statement a line.
UPDATE `Component` SET `Condition` = 'SHOWMSG' WHERE `Component` = 'ShowMsgGiven'
UPDATE `Component` SET `Condition` = 'NOT SHOWMSG AND ShowMsgBefore' WHERE `Component` = 'ShowMsgKept'
-- A secure property reaches the elevated part of an installation that a user
-- started; the two others are wixl's own.
UPDATE `Property` SET `Value` = 'SHOWMSG;WIX_DOWNGRADE_DETECTED;WIX_UPGRADE_DETECTED' WHERE `Property` = 'SecureCustomProperties'
-- wixl makes every shortcut an advertised one (its target a feature).
UPDATE `Shortcut` SET `Target` = '[#OrvexSwitcherExe]' WHERE `Shortcut` = 'StartMenuShortcut'
-- The program writes ORVEXLOG.log beside itself when it may (run elevated).
INSERT INTO `RemoveFile` (`FileKey`, `Component_`, `FileName`, `DirProperty`, `InstallMode`) VALUES ('TraceLog', 'Program', 'ORVEXLOG.log', 'INSTALLFOLDER', 2)
